#pragma once
// The new-version download: fetches the setup program, shows the progress,
// starts the setup silently and ends the running program.

#include <QDialog>
#include <QLocale>
#include <QUrl>

class QLabel;
class QProgressBar;
class QNetworkAccessManager;

class Tdosyaindir : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIstemciSurumu = 1;

    // The window for server version `yeniSurum`, downloading from `adres`.
    static Tdosyaindir* Yeni(QWidget* sahip, int yeniSurum, const QUrl& adres);

    // Downloads, saves and starts the setup program, then ends the process.
    // Runs once; later calls do nothing.
    void KurulumIndir();

    // The progress text for `okunan` of `toplam` bytes (empty when toplam <= 0).
    static QString IlerlemeMetni(qint64 okunan, qint64 toplam, const QLocale& yerel = QLocale());

    QLabel* sLabel1;
    QLabel* bilgi;
    QProgressBar* ProgressBar1;

    const QUrl& Adres() const { return m_adres; }
    bool Basladi() const { return basladi; }
    // Where the setup program is saved.
    static QString HedefDosya();

protected:
    bool event(QEvent* e) override;

private:
    Tdosyaindir(QWidget* sahip, const QUrl& adres);
    void NetHTTPClient1ReceiveData(qint64 okunan, qint64 toplam);
    [[noreturn]] void NetHTTPClient1RequestError(const QString& hata);
    [[noreturn]] void KurulumCalistir(const QString& hedef);

    bool basladi = false;
    QUrl m_adres;
    QNetworkAccessManager* NetHTTPClient1;
};

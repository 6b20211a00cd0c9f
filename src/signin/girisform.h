#pragma once
// The login window: chooses the server address, fetches this workstation's
// identity record from the server, checks the typed name and password,
// remembers them, and sends the user on (new version, request form,
// customer selection) before the main window opens.

#include <QDialog>

#include <chrono>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMovie;
class QPushButton;
class TBaglanti;
class TSonucBilgisi;

class Tgirisform : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIstemciSurumu = 1;

    explicit Tgirisform(QWidget* sahip = nullptr);
    ~Tgirisform() override;

    // Set by the main window before showing; not owned.
    TBaglanti* bagim = nullptr;
    TSonucBilgisi* Bilgim = nullptr;

    QString idsi;

    // Controls.
    QLabel* Image1;
    QLabel* RxLabel1;
    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* adi;
    QLineEdit* sifre;
    QCheckBox* benihatirla;
    QPushButton* Button1;
    QPushButton* Button2;
    QLabel* RxGIFAnimator1;

    void Button1Click();
    [[noreturn]] void Button2Click();
    void Devamet(const QString& disIp);
    void AyarKaydet();
    void AyarOku();
    static QString AyarDosyasi(); // ayar.ini in the per-user data folder

    // The workstation's external address; asks until an answer arrives.
    static QString DisIpAl();
    // Pause between external-address attempts (1000 ms); tests shorten it.
    static void SetDisIpBekleme(std::chrono::milliseconds bekleme);

    bool KimlikBilgisiGetir();
    void CariSecimAc();
    void YeniVersiyonIndir();
    void IstekFormuAc(const QString& adres);

    // The customer selection for user kinds 1 and 2: shows it for the
    // identity record and answers its modal result (1 = confirmed). The
    // sales-desk window registers itself here.
    using TCariSecimAcici = std::function<int(QWidget* sahip, TBaglanti& bag, TSonucBilgisi& bilgi)>;
    static void SetCariSecimAcici(TCariSecimAcici acici);
    // Shows the registered customer selection; 0 when there is none.
    static int CariSecimGoster(QWidget* sahip, TBaglanti& bag, TSonucBilgisi& bilgi);

Q_SIGNALS:
    void GirisBitti(); // the sign-in sequence reached a decision (for tests)

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void kur();
    void KararVer(bool basarili);
    void BasarisizlikSifirla();
    void uyariKutusu(const QString& mesaj);
    QMovie* m_bekleme = nullptr;
};

#pragma once
// A picture control that loads its image from a URL in the background and
// shows it stretched proportionally and centred on a transparent ground.

#include <QImage>
#include <QPointer>
#include <QWidget>

class QNetworkAccessManager;
class QNetworkReply;

class TAsyncResim : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Url READ Url WRITE SetUrl)
public:
    explicit TAsyncResim(QWidget* parent = nullptr);
    ~TAsyncResim() override;

    const QString& Url() const { return FUrl; }
    // A new value starts a load; the same value again does nothing.
    void SetUrl(const QString& url);

    const QImage& Resim() const { return m_resim; }
    void SetResim(const QImage& resim);

    // Decodes `veri` by the content type ("image/png", "image/jpeg", ...);
    // on success the picture changes and true is returned.
    bool ResimYukle(const QString& icerikTuru, const QByteArray& veri);

    // Number of requests started; for tests and diagnostics.
    int IstekSayisi() const { return m_istekSayisi; }

Q_SIGNALS:
    void ResimDegisti();  // a new picture is shown
    void YuklemeBitti();  // a request ended, whatever its outcome

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void ResimIste();
    void Geldi(QNetworkReply* yanit);

    QString FUrl;
    QNetworkAccessManager* FHTTPClient;
    QPointer<QNetworkReply> FHTTPRequest;
    bool iptal = false;
    QImage m_resim;
    int m_istekSayisi = 0;
};

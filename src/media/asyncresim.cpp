#include "asyncresim.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>

TAsyncResim::TAsyncResim(QWidget* parent)
    : QWidget(parent), FHTTPClient(new QNetworkAccessManager(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

TAsyncResim::~TAsyncResim()
{
    iptal = true;
    if (FHTTPRequest) {
        FHTTPRequest->disconnect(this);
        FHTTPRequest->abort();
    }
}

void TAsyncResim::SetUrl(const QString& url)
{
    if (url == FUrl)
        return;
    FUrl = url;
    ResimIste();
}

void TAsyncResim::ResimIste()
{
    // Only the answer for the newest address may set the picture: an older
    // request still running is stopped.
    if (FHTTPRequest) {
        FHTTPRequest->disconnect(this);
        FHTTPRequest->abort();
        FHTTPRequest->deleteLater();
    }
    if (FUrl.isEmpty())
        return;
    ++m_istekSayisi;
    QNetworkRequest istek{QUrl(FUrl)};
    istek.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
    istek.setTransferTimeout(30000);
    QNetworkReply* yanit = FHTTPClient->get(istek);
    FHTTPRequest = yanit;
    connect(yanit, &QNetworkReply::downloadProgress, this, [this, yanit] {
        if (iptal)
            yanit->abort();
    });
    connect(yanit, &QNetworkReply::finished, this, [this, yanit] { Geldi(yanit); });
}

void TAsyncResim::Geldi(QNetworkReply* yanit)
{
    yanit->deleteLater();
    if (FHTTPRequest == yanit)
        FHTTPRequest.clear();
    const bool basarili = yanit->error() == QNetworkReply::NoError;
    const QByteArray veri = basarili ? yanit->readAll() : QByteArray();
    const QString tur = yanit->header(QNetworkRequest::ContentTypeHeader).toString();
    if (!veri.isEmpty()) {
        // The picture changes in a step of its own on the UI thread; a
        // control destroyed by then is not reached.
        QPointer<TAsyncResim> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, tur, veri] {
                if (self && !self->iptal && self->ResimYukle(tur, veri))
                    self->update();
                if (self)
                    Q_EMIT self->YuklemeBitti();
            },
            Qt::QueuedConnection);
        return;
    }
    Q_EMIT YuklemeBitti();
}

bool TAsyncResim::ResimYukle(const QString& icerikTuru, const QByteArray& veri)
{
    const QString alt = icerikTuru.mid(6).toLower();
    const char* bicim = nullptr;
    if (alt == u"png")
        bicim = "PNG";
    if (alt == u"bmp")
        bicim = "BMP";
    if (alt == u"jpeg" || alt == u"jpg")
        bicim = "JPEG";
    if (!bicim)
        return false;
    QImage yeni;
    if (!yeni.loadFromData(veri, bicim))
        return false;
    SetResim(yeni);
    return true;
}

void TAsyncResim::SetResim(const QImage& resim)
{
    m_resim = resim;
    update();
    Q_EMIT ResimDegisti();
}

void TAsyncResim::paintEvent(QPaintEvent*)
{
    if (m_resim.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QSize boy = m_resim.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect hedef(QPoint((width() - boy.width()) / 2, (height() - boy.height()) / 2), boy);
    p.drawImage(hedef, m_resim);
}

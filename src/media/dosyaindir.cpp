#include "dosyaindir.h"

#include "platform/seams.h"
#include "remote/utils.h"

#include <QDir>
#include <climits>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// Cookies are not accepted.
class CerezsizKavanoz : public QNetworkCookieJar {
public:
    using QNetworkCookieJar::QNetworkCookieJar;
    bool setCookiesFromUrl(const QList<QNetworkCookie>&, const QUrl&) override { return false; }
};

constexpr int kZamanAsimi = 60000;
} // namespace

Tdosyaindir::Tdosyaindir(QWidget* sahip, const QUrl& adres)
    : QDialog(sahip), m_adres(adres), NetHTTPClient1(new QNetworkAccessManager(this))
{
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    NetHTTPClient1->setCookieJar(new CerezsizKavanoz(NetHTTPClient1));
    NetHTTPClient1->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);

    sLabel1 = new QLabel(QStringLiteral("Pelmora Online Satış Programının\r\nYeni versiyonu "
                                        "indirilecektir.\r\nLütfen Bekleyiniz."),
                         this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(27);
    sLabel1->setFont(f);
    bilgi = new QLabel(QStringLiteral("bilgi"), this);
    bilgi->setObjectName(QStringLiteral("bilgi"));
    QFont kalin = bilgi->font();
    kalin.setBold(true);
    bilgi->setFont(kalin);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setTextVisible(false);

    auto* kok = new QVBoxLayout(this);
    kok->addWidget(sLabel1, 1);
    kok->addWidget(bilgi);
    kok->addWidget(ProgressBar1);
    setFixedSize(560, 300);
}

Tdosyaindir* Tdosyaindir::Yeni(QWidget* sahip, int yeniSurum, const QUrl& adres)
{
    auto* p = new Tdosyaindir(sahip, adres);
    p->sLabel1->setText(QStringLiteral("Pelmora Otomotiv B2B Programının\r\nYeni versiyonu "
                                       "indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: ") +
                        QString::number(yeniSurum) + QStringLiteral("-") +
                        QString::number(kIstemciSurumu));
    p->basladi = false;
    return p;
}

bool Tdosyaindir::event(QEvent* e)
{
    const bool r = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate && !basladi) {
        // Start after the activation has been handled, outside the event.
        QMetaObject::invokeMethod(this, &Tdosyaindir::KurulumIndir, Qt::QueuedConnection);
    }
    return r;
}

QString Tdosyaindir::HedefDosya()
{
    return QDir::toNativeSeparators(YerelVeriKlasoruAl() + QDir::separator() +
                                    QStringLiteral("PelmoraSetup.exe"));
}

QString Tdosyaindir::IlerlemeMetni(qint64 okunan, qint64 toplam, const QLocale& yerel)
{
    if (toplam <= 0)
        return {};
    QLocale l = yerel;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    const double yuzde = double(okunan) / double(toplam) * 100.0;
    const double mb = 1024.0 * 1024.0;
    return QStringLiteral("Bilgi: %") + l.toString(yuzde, 'f', 2) + QStringLiteral("  İndirilen: ") +
           l.toString(double(okunan) / mb, 'f', 2) + QStringLiteral("/") +
           l.toString(double(toplam) / mb, 'f', 2) + QStringLiteral(" Mb");
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 okunan, qint64 toplam)
{
    if (toplam <= 0)
        return;
    bilgi->setText(IlerlemeMetni(okunan, toplam));
    // Bytes while they fit the bar's int range, kilobytes beyond.
    const qint64 bolen = toplam > INT_MAX ? 1024 : 1;
    ProgressBar1->setMaximum(int(toplam / bolen));
    ProgressBar1->setValue(int(std::min(okunan, toplam) / bolen));
}

void Tdosyaindir::KurulumIndir()
{
    if (basladi)
        return;
    basladi = true;
    const QString hedef = HedefDosya();
    QFile::remove(hedef);

    QNetworkRequest istek(m_adres);
    istek.setTransferTimeout(kZamanAsimi);
    istek.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,"
                                 "image/webp,image/apng,*/*;q=0.8");
    istek.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    istek.setHeader(QNetworkRequest::UserAgentHeader,
                    QByteArrayLiteral("Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                                      "(KHTML, like Gecko) Chrome/60.0.3112.32 Safari/537.36"));
    QNetworkReply* yanit = NetHTTPClient1->get(istek);
    connect(yanit, &QNetworkReply::downloadProgress, this,
            &Tdosyaindir::NetHTTPClient1ReceiveData);
    QEventLoop dongu;
    connect(yanit, &QNetworkReply::finished, &dongu, &QEventLoop::quit);
    dongu.exec();
    yanit->deleteLater();

    if (yanit->error() != QNetworkReply::NoError)
        NetHTTPClient1RequestError(yanit->errorString());
    const int durum = yanit->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray veri = yanit->readAll();
    if (durum < 200 || durum > 299)
        NetHTTPClient1RequestError(QStringLiteral("HTTP %1").arg(durum));
    const qint64 beklenen = yanit->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (beklenen > 0 && veri.size() < beklenen)
        NetHTTPClient1RequestError(
            QStringLiteral("Dosya eksik indirildi (%1 / %2 bayt)").arg(veri.size()).arg(beklenen));

    QDir().mkpath(QFileInfo(hedef).absolutePath());
    QFile dosya(hedef);
    if (!dosya.open(QIODevice::WriteOnly) || dosya.write(veri) != veri.size())
        NetHTTPClient1RequestError(dosya.errorString());
    dosya.close();
    dosya.setPermissions(dosya.permissions() | QFile::ExeOwner | QFile::ExeUser);
    KurulumCalistir(hedef);
}

void Tdosyaindir::KurulumCalistir(const QString& hedef)
{
    pel::shellOpen(hedef, QStringLiteral("/silent"));
    pel::endProcess(0);
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString& hata)
{
    QMessageBox kutu(QMessageBox::Critical, pel::programTitle(),
                     QStringLiteral("Hata Oluştu !\r\nHata: ") + hata, QMessageBox::Ok, this);
    if (auto* ok = kutu.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("Tamam"));
    pel::execModal(kutu);
    pel::endProcess(0);
}

#include "sunucuayarlari.h"

#include <QUrl>

QString SunucuAdresi;
QString SunucuUrl;
QString WebAdresi;
QString ResimUrl;

namespace {

const QString kResimYolu = QStringLiteral("resimgoster.ashx?id=");

TDagitimAyarlari& gecerli()
{
    static TDagitimAyarlari a = VarsayilanDagitimAyarlari();
    return a;
}

QString sonaEgik(QString url)
{
    if (!url.endsWith(u'/'))
        url += u'/';
    return url;
}

QString sondakiEgiksiz(QString url)
{
    while (url.endsWith(u'/'))
        url.chop(1);
    return url;
}

struct Secenek {
    const char* ad;
    const char* aciklama;
};
const Secenek kSecenekler[] = {
    {"sunucu", "HOST     uygulama sunucusunun genel adı (SunucuAdresi, WebAdresi)"},
    {"sunucu-lan", "ADRES  sunucunun yerel ağ adresi"},
    {"port", "N          uygulama portu (9090)"},
    {"web", "URL         genel web sunucusu (\"http://\" + sunucu + \"/\")"},
    {"web-lan", "URL     yerel ağ web sunucusu (\"http://\" + yerel adres + \"/\")"},
    {"ofis-ip", "ADRES   yerel ağ değerlerini seçtiren genel IPv4 adresi"},
    {"dis-ip", "URL      dış adres servisinin tabanı ({URL}/ip)"},
    {"indirme", "URL     kurulum programının indirildiği sunucu"},
};

bool httpAdresi(const QString& v)
{
    const QUrl u(v, QUrl::StrictMode);
    return u.isValid() && (u.scheme() == u"http" || u.scheme() == u"https") && !u.host().isEmpty();
}

bool hostAdi(const QString& v)
{
    if (v.isEmpty() || v.size() > 253)
        return false;
    for (QChar c : v)
        if (!(c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_' || c == u':'))
            return false;
    return true;
}

bool ipv4(const QString& v)
{
    const QStringList parcalar = v.split(u'.');
    if (parcalar.size() != 4)
        return false;
    for (const QString& p : parcalar) {
        bool ok = false;
        const int n = p.toInt(&ok);
        if (!ok || p.isEmpty() || p.size() > 3 || n < 0 || n > 255 || !p[0].isDigit())
            return false;
    }
    return true;
}

// Applies one option; returns an error text or empty.
QString uygula(TDagitimAyarlari& a, const QString& ad, const QString& deger, const QString& kaynak)
{
    auto hata = [&](const char* ne) {
        return QStringLiteral("%1 için geçersiz değer \"%2\": %3 bekleniyor")
            .arg(kaynak, deger, QString::fromUtf8(ne));
    };
    if (ad == u"sunucu") {
        if (!hostAdi(deger))
            return hata("bir sunucu adı ya da adresi");
        a.GenelSunucu = deger;
    } else if (ad == u"sunucu-lan") {
        if (!hostAdi(deger))
            return hata("bir sunucu adresi");
        a.LanSunucu = deger;
    } else if (ad == u"port") {
        bool ok = false;
        const int p = deger.toInt(&ok);
        if (!ok || p < 1 || p > 65535)
            return hata("1 ile 65535 arasında bir port numarası");
        a.Port = p;
    } else if (ad == u"web") {
        if (!httpAdresi(deger))
            return hata("http:// ile başlayan bir adres");
        a.GenelWeb = sonaEgik(deger);
    } else if (ad == u"web-lan") {
        if (!httpAdresi(deger))
            return hata("http:// ile başlayan bir adres");
        a.LanWeb = sonaEgik(deger);
    } else if (ad == u"ofis-ip") {
        if (!ipv4(deger))
            return hata("bir IPv4 adresi");
        a.OfisIp = deger;
    } else if (ad == u"dis-ip") {
        if (!httpAdresi(deger))
            return hata("http:// ile başlayan bir adres");
        a.DisIpServisi = sondakiEgiksiz(deger);
    } else if (ad == u"indirme") {
        if (!httpAdresi(deger))
            return hata("http:// ile başlayan bir adres");
        a.IndirmeSunucusu = sondakiEgiksiz(deger);
    }
    return {};
}

bool biliniyor(const QString& ad)
{
    for (const auto& s : kSecenekler)
        if (ad == QLatin1String(s.ad))
            return true;
    return false;
}

} // namespace

QString TDagitimAyarlari::GenelWebAdresi() const
{
    return GenelWeb.isEmpty() ? QStringLiteral("http://") + GenelSunucu + u'/' : GenelWeb;
}

QString TDagitimAyarlari::LanWebAdresi() const
{
    return LanWeb.isEmpty() ? QStringLiteral("http://") + LanSunucu + u'/' : LanWeb;
}

TDagitimAyarlari VarsayilanDagitimAyarlari()
{
    TDagitimAyarlari a;
    a.GenelSunucu = QStringLiteral("b2b.pelmora.com.tr");
    a.LanSunucu = QStringLiteral("192.168.1.10");
    a.Port = 9090;
    a.OfisIp = QStringLiteral("85.105.40.12");
    a.DisIpServisi = QStringLiteral("http://ip.pelmora.com.tr");
    a.IndirmeSunucusu = QStringLiteral("http://indir.pelmora.com.tr");
    return a;
}

const TDagitimAyarlari& DagitimAyarlari()
{
    return gecerli();
}

void DagitimAyarlariniAyarla(const TDagitimAyarlari& ayarlar)
{
    gecerli() = ayarlar;
    GenelAdresleriKur();
}

QStringList DagitimAyarlariniYukle(const QStringList& args, const QProcessEnvironment& ortam)
{
    TDagitimAyarlari a = VarsayilanDagitimAyarlari();
    QStringList hatalar;
    for (const auto& s : kSecenekler) {
        QString degisken = QStringLiteral("PELMORA_") + QString::fromLatin1(s.ad).toUpper();
        degisken.replace(u'-', u'_');
        if (ortam.contains(degisken)) {
            const QString e = uygula(a, QString::fromLatin1(s.ad), ortam.value(degisken), degisken);
            if (!e.isEmpty())
                hatalar << e;
        }
    }
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(u"--"))
            continue;
        QString ad = arg.mid(2);
        QString deger;
        bool degerVar = false;
        const qsizetype esit = ad.indexOf(u'=');
        if (esit >= 0) {
            deger = ad.mid(esit + 1);
            ad = ad.left(esit);
            degerVar = true;
        }
        if (!biliniyor(ad))
            continue;
        if (!degerVar) {
            if (i + 1 >= args.size()) {
                hatalar << QStringLiteral("--%1 seçeneğinin değeri eksik").arg(ad);
                continue;
            }
            deger = args[++i];
        }
        const QString e = uygula(a, ad, deger, QStringLiteral("--") + ad);
        if (!e.isEmpty())
            hatalar << e;
    }
    DagitimAyarlariniAyarla(a);
    return hatalar;
}

QStringList DagitimAyarlariniYukle(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return DagitimAyarlariniYukle(args);
}

QString DagitimSecenekleriYardimi()
{
    QString s;
    for (const auto& o : kSecenekler)
        s += QStringLiteral("  --%1 %2\n").arg(QLatin1String(o.ad), QString::fromUtf8(o.aciklama));
    return s;
}

void GenelAdresleriKur()
{
    const TDagitimAyarlari& a = gecerli();
    SunucuAdresi = a.GenelSunucu;
    SunucuUrl = a.GenelWebAdresi();
    WebAdresi = a.GenelSunucu;
    ResimUrl = SunucuUrl + kResimYolu;
}

void LanAdresleriKur()
{
    const TDagitimAyarlari& a = gecerli();
    SunucuAdresi = a.LanSunucu;
    SunucuUrl = a.LanWebAdresi();
    ResimUrl = SunucuUrl + kResimYolu;
}

bool OfisAgindaMi(const QString& disIp)
{
    const QString ip = disIp.trimmed();
    return !ip.isEmpty() && ip == gecerli().OfisIp;
}

void AdresleriTemizle()
{
    SunucuAdresi.clear();
    SunucuUrl.clear();
    WebAdresi.clear();
    ResimUrl.clear();
}

QString SunucuPortu()
{
    return QString::number(gecerli().Port);
}

namespace {
// The public values hold from program start.
const bool kBaslangic = (GenelAdresleriKur(), true);
} // namespace

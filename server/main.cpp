// pelmora-server: the application server of Pelmora B2B with its embedded store.

#include "magaza.h"
#include "ornekveri.h"
#include "sunucu.h"

#include "platform/error.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

std::atomic<bool> g_dur{false};

void durSinyali(int)
{
    g_dur = true;
}

void yaz(const QString& s)
{
    std::fprintf(stdout, "%s\n", s.toLocal8Bit().constData());
    std::fflush(stdout);
}

int hata(const QString& s, int kod = 2)
{
    std::fprintf(stderr, "pelmora-server: %s\n", s.toLocal8Bit().constData());
    return kod;
}

int sayi(const QCommandLineParser& p, const QString& ad, int varsayilan, int alt, int ust, bool& ok)
{
    if (!p.isSet(ad))
        return varsayilan;
    bool dogru = false;
    const int v = p.value(ad).toInt(&dogru);
    if (!dogru || v < alt || v > ust) {
        hata(QStringLiteral("--%1 için %2 ile %3 arasında bir sayı giriniz.").arg(ad).arg(alt).arg(ust));
        ok = false;
    }
    return v;
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures and PDF documents are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pelmora-server"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Pelmora B2B uygulama sunucusu"));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("db"), QStringLiteral("Veri dosyası (SQLite)."), QStringLiteral("FILE")},
        {QStringLiteral("listen"), QStringLiteral("Dinlenecek adres (varsayılan 127.0.0.1)."), QStringLiteral("ADDR")},
        {QStringLiteral("port"), QStringLiteral("Uygulama portu (varsayılan 9090)."), QStringLiteral("PORT")},
        {QStringLiteral("web-port"), QStringLiteral("Web portu (varsayılan 8080)."), QStringLiteral("PORT")},
        {QStringLiteral("threads"), QStringLiteral("Port başına iş parçacığı (varsayılan 64)."), QStringLiteral("N")},
        {QStringLiteral("seed"), QStringLiteral("Örnek verileri yeniden kur.")},
        {QStringLiteral("items"), QStringLiteral("Örnek stok adedi (varsayılan 20000)."), QStringLiteral("N")},
        {QStringLiteral("register-device"), QStringLiteral("Bilgisayar kaydet."), QStringLiteral("ID")},
        {QStringLiteral("user"), QStringLiteral("Kullanıcı adı."), QStringLiteral("NAME")},
        {QStringLiteral("password"), QStringLiteral("Şifre."), QStringLiteral("PW")},
        {QStringLiteral("kind"), QStringLiteral("Kullanıcı tipi 0-4."), QStringLiteral("K")},
        {QStringLiteral("customer"), QStringLiteral("Cari kodu."), QStringLiteral("CODE")},
        {QStringLiteral("inactive"), QStringLiteral("Kullanıcı pasif kaydedilir.")},
        {QStringLiteral("set-version"), QStringLiteral("Yayınlanan program sürümü."), QStringLiteral("N")},
    });
    if (!p.parse(app.arguments()))
        return hata(p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        yaz(p.helpText());
        return 0;
    }
    if (!p.positionalArguments().isEmpty())
        return hata(QStringLiteral("Bilinmeyen argüman: %1").arg(p.positionalArguments().first()));
    if (!p.isSet(QStringLiteral("db")) || p.value(QStringLiteral("db")).trimmed().isEmpty())
        return hata(QStringLiteral("--db FILE gerekli."));

    bool ok = true;
    const int items = sayi(p, QStringLiteral("items"), 20000, 1, 1000000, ok);
    const int port = sayi(p, QStringLiteral("port"), 9090, 1, 65535, ok);
    const int webPort = sayi(p, QStringLiteral("web-port"), 8080, 0, 65535, ok);
    const int threads = sayi(p, QStringLiteral("threads"), 64, 2, 1024, ok);
    if (!ok)
        return 2;
    const QString db = p.value(QStringLiteral("db"));

    try {
        if (p.isSet(QStringLiteral("seed"))) {
            pelsrv::Magaza m(db);
            QElapsedTimer t;
            t.start();
            pelsrv::ornekVeriKur(m, items);
            yaz(QStringLiteral("Örnek veriler kuruldu: %1 stok, %2 ms.").arg(items).arg(t.elapsed()));
            return 0;
        }
        if (p.isSet(QStringLiteral("register-device"))) {
            if (!p.isSet(QStringLiteral("user")) || !p.isSet(QStringLiteral("password")) ||
                !p.isSet(QStringLiteral("kind")))
                return hata(QStringLiteral("--register-device için --user, --password ve --kind gerekli."));
            const int kind = sayi(p, QStringLiteral("kind"), 0, 0, 4, ok);
            if (!ok)
                return 2;
            pelsrv::CihazKaydi k;
            k.bilgisayarId = p.value(QStringLiteral("register-device"));
            k.kullanici = p.value(QStringLiteral("user"));
            k.sifre = p.value(QStringLiteral("password"));
            k.tip = kind;
            k.cariKod = p.value(QStringLiteral("customer"));
            k.aktif = !p.isSet(QStringLiteral("inactive"));
            pelsrv::Magaza m(db);
            m.cihazKaydet(k);
            yaz(QStringLiteral("Bilgisayar kaydedildi: %1").arg(k.bilgisayarId));
            return 0;
        }
        if (p.isSet(QStringLiteral("set-version"))) {
            const int v = sayi(p, QStringLiteral("set-version"), 1, 1, 1000000, ok);
            if (!ok)
                return 2;
            pelsrv::Magaza m(db);
            m.yayinSurumuYaz(v);
            yaz(QStringLiteral("Yayınlanan sürüm: %1").arg(v));
            return 0;
        }

        pelsrv::SunucuAyarlari a;
        a.veriDosyasi = db;
        a.dinle = p.isSet(QStringLiteral("listen")) ? p.value(QStringLiteral("listen")) : QStringLiteral("127.0.0.1");
        a.port = port;
        a.webPort = webPort;
        a.isParcacigi = threads;
        a.ornekStokAdedi = items;
        pelsrv::PelmoraSunucu s(a);
        s.baslat();
        yaz(QStringLiteral("Pelmora sunucusu çalışıyor: uygulama %1, web %2 (durdurmak için Ctrl+C)")
                .arg(s.adres(), s.webAdres()));
        std::signal(SIGINT, durSinyali);
        std::signal(SIGTERM, durSinyali);
        while (!g_dur)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        s.durdur();
        yaz(QStringLiteral("Sunucu durduruldu."));
        return 0;
    } catch (const pel::Error& e) {
        return hata(e.text(), 1);
    } catch (const std::exception& e) {
        return hata(QString::fromLocal8Bit(e.what()), 1);
    }
}

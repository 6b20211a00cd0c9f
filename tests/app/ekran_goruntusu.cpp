// Screenshots of the login window and of the main window after signing in
// as DEMO-MUSTERI, against a reference server in this process.
//   pelmora-ekran OUTDIR

#include "app/anaform.h"
#include "platform/seams.h"
#include "remote/baglanti.h"
#include "remote/sunucuayarlari.h"
#include "server/sunucu.h"
#include "signin/girisform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFile stil(QStringLiteral(":/stil/solvane.qss"));
    if (stil.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(stil.readAll()));

    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    qputenv("PELMORA_DEVICE_ID", "DEMO-MUSTERI");
    pelsrv::SunucuAyarlari a;
    a.veriDosyasi = dir.filePath(QStringLiteral("demo.sqlite"));
    a.ornekStokAdedi = 2000;
    pelsrv::PelmoraSunucu sunucu(a);
    sunucu.baslat();

    TDagitimAyarlari d = VarsayilanDagitimAyarlari();
    d.GenelSunucu = QStringLiteral("127.0.0.1");
    d.LanSunucu = QStringLiteral("127.0.0.1");
    d.Port = sunucu.port();
    d.GenelWeb = sunucu.webAdres();
    d.LanWeb = sunucu.webAdres();
    d.OfisIp = QStringLiteral("192.0.2.1");
    d.DisIpServisi = sunucu.webAdres().chopped(1);
    d.IndirmeSunucusu = sunucu.webAdres().chopped(1);
    DagitimAyarlariniAyarla(d);

    int hata = 0;
    pel::setModalHook([&](QDialog& dlg) {
        auto* g = qobject_cast<Tgirisform*>(&dlg);
        if (!g)
            return dlg.exec();
        g->show();
        QTest::qWaitForWindowExposed(g);
        QTest::qWait(300);
        g->grab().save(out + QStringLiteral("/giris.png"));
        g->adi->setText(QStringLiteral("MUSTERI"));
        g->sifre->setText(QStringLiteral("1234"));
        QSignalSpy bitti(g, &Tgirisform::GirisBitti);
        g->Button1Click();
        if (!bitti.wait(30000))
            hata = 1;
        return g->result();
    });
    pel::setEndProcessHook([&](int) { hata = 2; });

    TForm1 ana;
    ana.resize(1366, 768);
    ana.show();
    QTest::qWaitForWindowExposed(&ana);
    QSignalSpy acilis(&ana, &TForm1::AcilisBitti);
    acilis.wait(10000);
    QTest::qWait(500);
    ana.grab().save(out + QStringLiteral("/anaform.png"));
    sunucu.durdur();
    return hata;
}

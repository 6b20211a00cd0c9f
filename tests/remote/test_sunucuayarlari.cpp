// Server addresses and deployment values with their overrides.

#include "remote/baglanti.h"
#include "remote/sunucuayarlari.h"

#include <QTest>

class TestSunucuAyarlari : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { DagitimAyarlariniAyarla(VarsayilanDagitimAyarlari()); }

    void publicValuesHoldFromStart()
    {
        const TDagitimAyarlari v = VarsayilanDagitimAyarlari();
        QCOMPARE(SunucuAdresi, v.GenelSunucu);
        QCOMPARE(SunucuUrl, u"http://"_qs + v.GenelSunucu + u'/');
        QCOMPARE(WebAdresi, v.GenelSunucu);
        QCOMPARE(ResimUrl, SunucuUrl + u"resimgoster.ashx?id="_qs);
        QCOMPARE(SunucuPortu(), u"9090"_qs);
        QVERIFY(!v.LanSunucu.isEmpty() && !v.OfisIp.isEmpty() && !v.DisIpServisi.isEmpty() &&
                !v.IndirmeSunucusu.isEmpty());
    }

    void overrides_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("ortam");
        QTest::addColumn<QString>("sunucu");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("port");
        QTest::newRow("host only") << QStringList{u"--sunucu"_qs, u"127.0.0.1"_qs} << QStringList()
                                   << u"127.0.0.1"_qs << u"http://127.0.0.1/"_qs << u"9090"_qs;
        QTest::newRow("equals form")
            << QStringList{u"--sunucu=localhost"_qs, u"--port=19090"_qs,
                           u"--web=http://127.0.0.1:8080"_qs}
            << QStringList() << u"localhost"_qs << u"http://127.0.0.1:8080/"_qs << u"19090"_qs;
        QTest::newRow("environment")
            << QStringList()
            << QStringList{u"PELMORA_SUNUCU=10.1.1.1"_qs, u"PELMORA_PORT=7000"_qs}
            << u"10.1.1.1"_qs << u"http://10.1.1.1/"_qs << u"7000"_qs;
        QTest::newRow("command line wins")
            << QStringList{u"--port"_qs, u"7001"_qs}
            << QStringList{u"PELMORA_PORT=7000"_qs, u"PELMORA_SUNUCU=a.b"_qs} << u"a.b"_qs
            << u"http://a.b/"_qs << u"7001"_qs;
        QTest::newRow("unknown options left alone")
            << QStringList{u"-platform"_qs, u"offscreen"_qs, u"--device-id"_qs}
            << QStringList() << VarsayilanDagitimAyarlari().GenelSunucu
            << VarsayilanDagitimAyarlari().GenelWebAdresi() << u"9090"_qs;
    }
    void overrides()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, ortam);
        QProcessEnvironment env;
        for (const QString& o : ortam)
            env.insert(o.section(u'=', 0, 0), o.section(u'=', 1));
        const QStringList hatalar = DagitimAyarlariniYukle(QStringList{u"pelmora"_qs} + args, env);
        QVERIFY2(hatalar.isEmpty(), qPrintable(hatalar.join(u'\n')));
        QTEST(SunucuAdresi, "sunucu");
        QTEST(WebAdresi, "sunucu");
        QTEST(SunucuUrl, "url");
        QTEST(SunucuPortu(), "port");
        TBaglanti b;
        QTEST(b.Param(u"HostName"), "sunucu");
        QTEST(b.Param(u"Port"), "port");
    }

    void officeNetworkSwitchesToLanValues()
    {
        QProcessEnvironment env;
        env.insert(u"PELMORA_SUNUCU_LAN"_qs, u"192.168.5.5"_qs);
        env.insert(u"PELMORA_OFIS_IP"_qs, u"85.1.2.3"_qs);
        QVERIFY(DagitimAyarlariniYukle({u"pelmora"_qs, u"--web-lan"_qs, u"http://192.168.5.5:81/"_qs,
                                        u"--dis-ip"_qs, u"http://127.0.0.1:5000/"_qs,
                                        u"--indirme"_qs, u"http://127.0.0.1:5001"_qs},
                                       env)
                    .isEmpty());
        QCOMPARE(DagitimAyarlari().DisIpServisi, u"http://127.0.0.1:5000"_qs);
        QCOMPARE(DagitimAyarlari().IndirmeSunucusu, u"http://127.0.0.1:5001"_qs);
        QVERIFY(OfisAgindaMi(u" 85.1.2.3 "_qs));
        QVERIFY(!OfisAgindaMi(u"85.1.2.4"_qs));
        QVERIFY(!OfisAgindaMi(QString()));
        const QString web = WebAdresi;
        LanAdresleriKur();
        QCOMPARE(SunucuAdresi, u"192.168.5.5"_qs);
        QCOMPARE(SunucuUrl, u"http://192.168.5.5:81/"_qs);
        QCOMPARE(ResimUrl, u"http://192.168.5.5:81/resimgoster.ashx?id="_qs);
        QCOMPARE(WebAdresi, web);
        AdresleriTemizle();
        QVERIFY(SunucuAdresi.isEmpty() && SunucuUrl.isEmpty() && WebAdresi.isEmpty() &&
                ResimUrl.isEmpty());
    }

    void badValuesAreReportedAndIgnored_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("port text") << QStringList{u"--port"_qs, u"abc"_qs};
        QTest::newRow("port range") << QStringList{u"--port=70000"_qs};
        QTest::newRow("missing value") << QStringList{u"--sunucu"_qs};
        QTest::newRow("web not http") << QStringList{u"--web=ftp://x/"_qs};
        QTest::newRow("office ip") << QStringList{u"--ofis-ip=1.2.3"_qs};
        QTest::newRow("host with space") << QStringList{u"--sunucu=a b"_qs};
    }
    void badValuesAreReportedAndIgnored()
    {
        QFETCH(QStringList, args);
        const QStringList hatalar =
            DagitimAyarlariniYukle(QStringList{u"pelmora"_qs} + args, QProcessEnvironment());
        QCOMPARE(hatalar.size(), 1);
        QCOMPARE(SunucuPortu(), u"9090"_qs);
        QCOMPARE(SunucuAdresi, VarsayilanDagitimAyarlari().GenelSunucu);
    }

    void helpListsEveryOption()
    {
        const QString y = DagitimSecenekleriYardimi();
        for (const char* o : {"--sunucu ", "--sunucu-lan", "--port", "--web ", "--web-lan",
                              "--ofis-ip", "--dis-ip", "--indirme"})
            QVERIFY2(y.contains(QLatin1String(o)), o);
    }
};

QTEST_GUILESS_MAIN(TestSunucuAyarlari)
#include "test_sunucuayarlari.moc"

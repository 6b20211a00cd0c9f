// The server connection and its check against a faulty loopback server.

#include "kutukaydi.h"
#include "sahtesunucu.h"

#include "remote/baglanti.h"
#include "remote/beklesinu.h"
#include "remote/proxim.h"
#include "remote/sunucuayarlari.h"

#include <QElapsedTimer>
#include <QTest>

#include <atomic>

Q_DECLARE_METATYPE(Ariza)

namespace {

std::unique_ptr<TBaglanti> baglantiKur(const SahteSunucu& s)
{
    auto b = std::make_unique<TBaglanti>();
    b->SetParam(u"HostName", QStringLiteral("127.0.0.1"));
    b->SetParam(u"Port", QString::number(s.port()));
    return b;
}

// Counts the pauses between attempts; `kanca` runs at each.
struct BeklemeSayaci {
    std::atomic<int> sayi{0};
    std::atomic<qint64> toplamMs{0};
    std::function<void(int)> kanca;
    BeklemeSayaci()
    {
        SetBaglantiBeklemeKancasi([this](std::chrono::milliseconds ms) {
            const int n = ++sayi;
            toplamMs += ms.count();
            if (kanca)
                kanca(n);
        });
    }
    ~BeklemeSayaci() { SetBaglantiBeklemeKancasi({}); }
};

template <class F>
QString hataMetni(F&& f)
{
    try {
        f();
    } catch (const pel::Error& e) {
        return e.text().isEmpty() ? QStringLiteral("(boş)") : e.text();
    }
    return {};
}

} // namespace

class TestBaglanti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        TBaglantiSinirlari s;
        s.Baglanma = std::chrono::milliseconds(3000);
        s.Yanit = std::chrono::milliseconds(3000);
        VarsayilanBaglantiSinirlariniAyarla(s);
    }

    void parametersAndClone()
    {
        TBaglanti b;
        QCOMPARE(b.Param(u"DriverName"), u"DataSnap"_qs);
        QCOMPARE(b.Param(u"CommunicationProtocol"), u"tcp/ip"_qs);
        QCOMPARE(b.Param(u"HostName"), SunucuAdresi);
        QCOMPARE(b.Param(u"Port"), u"9090"_qs);
        QCOMPARE(b.Param(u"DatasnapContext"), u"datasnap/"_qs);
        QCOMPARE(b.Param(u"Filters"), u"{}"_qs);
        QCOMPARE(b.Param(u"DSProxyPort"), u"8090"_qs);
        QVERIFY(!b.LoginPrompt());
        QVERIFY(!b.Connected());
        b.SetParam(u"HostName", u"10.0.0.5"_qs);
        QCOMPARE(b.RestAdresi(), u"http://10.0.0.5:9090/datasnap/rest/"_qs);
        const auto k = b.CloneConnection();
        QVERIFY(!k->Connected());
        QCOMPARE(k->Params(), b.Params());
        QVERIFY(!hataMetni([&] { b.DBXConnection(); }).isEmpty());
        b.Close(); // closing a closed connection does nothing
    }

    void openKeepsOneConnectionUntilClose()
    {
        SahteSunucu s;
        s.setIsleyici([](const SahteIstek& i) {
            if (i.metot() == "KayanYaziGetir")
                return SahteSunucu::sonuc("\"Hoş geldiniz\"");
            return SahteSunucu::elSikisma(i);
        });
        s.baslat();
        auto b = baglantiKur(s);
        b->Open();
        QVERIFY(b->Connected());
        b->Open(); // already open: nothing happens
        TServerMethods1Client c(b->DBXConnection());
        for (int n = 0; n < 3; ++n)
            QCOMPARE(c.KayanYaziGetir(), u"Hoş geldiniz"_qs);
        QCOMPARE(s.baglantiSayisi(), 1);
        const QList<SahteIstek> ist = s.istekler();
        QCOMPARE(ist.size(), 4);
        QCOMPARE(ist[0].yontem, QByteArray("GET"));
        QCOMPARE(ist[0].yol, QByteArray("/datasnap/rest/DSAdmin/GetPlatformName"));
        QCOMPARE(ist[1].yontem, QByteArray("POST"));
        QCOMPARE(ist[1].yol, QByteArray("/datasnap/rest/TServerMethods1/%22KayanYaziGetir%22"));
        QCOMPARE(ist[1].govde, QByteArray("{\"_parameters\":[]}"));

        b->Close();
        QVERIFY(!b->Connected());
        // The client outlives the close: its calls fail instead of crashing.
        QVERIFY(!hataMetni([&] { c.KayanYaziGetir(); }).isEmpty());
        b->Open();
        QCOMPARE(s.baglantiSayisi(), 2);
    }

    void refusedShowsElevenBoxesThenFinalDialog()
    {
        SahteSunucu s; // never listens
        KutuKaydi kutular;
        BeklemeSayaci bekleme;
        auto b = baglantiKur(s);
        QVERIFY(!BaglantiKontrol(*b, 1));
        QVERIFY(!b->Connected());
        const QList<GorulenKutu> k = kutular.kutular();
        QCOMPARE(k.size(), 12);
        for (int n = 0; n < 11; ++n) {
            QVERIFY(k[n].duz);
            QCOMPARE(k[n].baslik, pel::programTitle());
            QVERIFY2(k[n].metin.contains(u"bağlanılamadı") && k[n].metin.contains(u"reddedildi"),
                     qPrintable(k[n].metin));
        }
        QVERIFY(!k[11].duz);
        QCOMPARE(k[11].baslik, u"Hata"_qs);
        QVERIFY(k[11].metin.contains(kBaglantiKurulamiyor));
        QCOMPARE(bekleme.sayi.load(), 11);
        QCOMPARE(bekleme.toplamMs.load(), 5500);
    }

    void refusedWithShowZeroHasNoFinalDialog()
    {
        SahteSunucu s;
        KutuKaydi kutular;
        BeklemeSayaci bekleme;
        auto b = baglantiKur(s);
        QVERIFY(!BaglantiKontrol(*b, 0));
        QCOMPARE(kutular.kutular().size(), 11);
        QCOMPARE(kutular.duzSayisi(), 11);
    }

    void acceptedAtThirdAttempt()
    {
        SahteSunucu s;
        KutuKaydi kutular;
        BeklemeSayaci bekleme;
        bekleme.kanca = [&](int n) {
            if (n == 2)
                s.baslat();
        };
        auto b = baglantiKur(s);
        QVERIFY(BaglantiKontrol(*b, 1));
        QVERIFY(b->Connected());
        QCOMPARE(kutular.kutular().size(), 2);
        QCOMPARE(kutular.duzSayisi(), 2);
        QCOMPARE(bekleme.sayi.load(), 2);
        // Every check reconnects.
        QVERIFY(BaglantiKontrol(*b, 1));
        QCOMPARE(s.baglantiSayisi(), 2);
    }

    void handshakeAcceptedAtThirdAttempt()
    {
        SahteSunucu s;
        std::atomic<int> el{0};
        s.setIsleyici([&](const SahteIstek& i) {
            if (++el < 3)
                return SahteCevap{500, "{\"error\":\"Sunucu hazır değil\"}", Ariza::Yok};
            return SahteSunucu::elSikisma(i);
        });
        s.baslat();
        KutuKaydi kutular;
        BeklemeSayaci bekleme;
        auto b = baglantiKur(s);
        QVERIFY(BaglantiKontrol(*b, 1));
        const auto k = kutular.kutular();
        QCOMPARE(k.size(), 2);
        QVERIFY2(k[0].metin.contains(u"Sunucu hazır değil"), qPrintable(k[0].metin));
    }

    void refusedInsideWorkerShowsBoxesOnUserInterfaceThread()
    {
        SahteSunucu s;
        KutuKaydi kutular;
        BeklemeSayaci bekleme;
        auto ana = baglantiKur(s);
        struct Kapanis {
            bool sonuc = true;
            bool bitti = false;
            bool isciArayuzde = true;
        };
        auto kap = std::make_shared<Kapanis>();
        Async([kap, klon = std::shared_ptr<TBaglanti>(ana->CloneConnection())] {
            kap->isciArayuzde = QThread::currentThread() == qApp->thread();
            kap->sonuc = BaglantiKontrol(*klon, 0);
        })->Await([kap] { kap->bitti = true; });
        QTRY_VERIFY_WITH_TIMEOUT(kap->bitti, 20000);
        QVERIFY(!kap->isciArayuzde);
        QVERIFY(!kap->sonuc);
        const auto k = kutular.kutular();
        QCOMPARE(k.size(), 11);
        for (const auto& kutu : k) {
            QVERIFY(kutu.duz);
            QVERIFY(kutu.arayuzde);
        }
    }

    void openFailures_data()
    {
        QTest::addColumn<Ariza>("ariza");
        QTest::addColumn<int>("durum");
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<QString>("parca");
        QTest::newRow("garbage") << Ariza::Cop << 200 << QByteArray() << u"HTTP değil"_qs;
        QTest::newRow("closed without answer") << Ariza::Kapat << 200 << QByteArray()
                                               << u"yanıt vermeden"_qs;
        QTest::newRow("no answer") << Ariza::Sessiz << 200 << QByteArray() << u"yanıt vermedi"_qs;
        QTest::newRow("other status") << Ariza::Yok << 404 << QByteArray("yok") << u"HTTP 404"_qs;
        QTest::newRow("other body") << Ariza::Yok << 200 << QByteArray("{\"result\":[]}")
                                    << u"uygulama sunucusu"_qs;
        QTest::newRow("platform not a string")
            << Ariza::Yok << 200 << QByteArray("{\"result\":[5]}") << u"tamsayı"_qs;
    }
    void openFailures()
    {
        QFETCH(Ariza, ariza);
        QFETCH(int, durum);
        QFETCH(QByteArray, govde);
        QFETCH(QString, parca);
        SahteSunucu s;
        s.setIsleyici([&](const SahteIstek&) { return SahteCevap{durum, govde, ariza}; });
        s.baslat();
        auto b = baglantiKur(s);
        TBaglantiSinirlari sin = b->Sinirlar();
        sin.Baglanma = std::chrono::milliseconds(500);
        sin.Yanit = std::chrono::milliseconds(300);
        b->SetSinirlar(sin);
        const QString e = hataMetni([&] { b->Open(); });
        QVERIFY2(e.contains(parca), qPrintable(e));
        QVERIFY(!b->Connected());
    }

    void badParameters()
    {
        TBaglanti b;
        b.SetParam(u"HostName", QString());
        QVERIFY(!hataMetni([&] { b.Open(); }).isEmpty());
        b.SetParam(u"HostName", u"127.0.0.1"_qs);
        b.SetParam(u"Port", u"abc"_qs);
        QVERIFY(hataMetni([&] { b.Open(); }).contains(u"port"));
    }

    void unknownHostFails()
    {
        TBaglanti b;
        b.SetParam(u"HostName", u"yok.invalid"_qs);
        QVERIFY(!hataMetni([&] { b.Open(); }).isEmpty());
    }
};

QTEST_MAIN(TestBaglanti)
#include "test_baglanti.moc"

// The server-method client against a scriptable loopback server: what each
// method sends, how results are read and owned, and how faults end.

#include "sahtesunucu.h"

#include "remote/proxim.h"
#include "remote/wire/wire.h"

#include <QTest>

#include <map>

Q_DECLARE_METATYPE(Ariza)

namespace {

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

using Kayit = TServerMethods1Client::Kayit;

Kayit kayit(int carino = 1042)
{
    auto k = std::make_unique<TSonucBilgisi>();
    k->SetCARINO(carino);
    return k;
}

const QByteArray kTablo = "{\"table\":[[\"AD\",26],[\"NO\",6]],\"AD\":[\"bir\",\"iki\"],\"NO\":[1,2]}";

// A server whose answers are set per method.
struct Sunucu {
    SahteSunucu s;
    std::mutex m;
    std::map<QByteArray, SahteCevap> cevaplar;
    std::unique_ptr<TBaglanti> bag;

    Sunucu()
    {
        s.setIsleyici([this](const SahteIstek& i) {
            const QByteArray ad = i.metot();
            std::lock_guard lock(m);
            const auto it = cevaplar.find(ad);
            if (ad.isEmpty() || it == cevaplar.end())
                return SahteSunucu::elSikisma(i);
            return it->second;
        });
        s.baslat();
        bag = std::make_unique<TBaglanti>();
        bag->SetParam(u"HostName", QStringLiteral("127.0.0.1"));
        bag->SetParam(u"Port", QString::number(s.port()));
        TBaglantiSinirlari sin;
        sin.Baglanma = std::chrono::milliseconds(3000);
        sin.Yanit = std::chrono::milliseconds(3000);
        bag->SetSinirlar(sin);
        bag->Open();
    }
    void cevap(const QByteArray& metot, const SahteCevap& c)
    {
        std::lock_guard lock(m);
        cevaplar[metot] = c;
    }
    void sonuc(const QByteArray& metot, const QByteArray& degerler)
    {
        cevap(metot, SahteSunucu::sonuc(degerler));
    }
    // The parameters of the last call of `metot`.
    pel::wire::ListReader parametreler(const QByteArray& metot)
    {
        const auto l = s.metotIstekleri();
        for (qsizetype n = l.size() - 1; n >= 0; --n)
            if (l[n].metot() == metot)
                return pel::wire::decodeParameters(l[n].govde);
        throw pel::Error(QStringLiteral("çağrı yok"));
    }
};

} // namespace

class TestProxim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sepetEkle2SendsFourteenValuesIdentityFirst()
    {
        Sunucu t;
        t.sonuc("SepetEkle2", "3");
        TServerMethods1Client c(t.bag->DBXConnection());
        TSonucBilgisi guncel;
        guncel.SetCARINO(77);
        guncel.SetADI(u"mehmet"_qs);
        auto kopya = std::make_unique<TSonucBilgisi>();
        kopya->Kopyala(guncel);
        const qint32 r = c.SepetEkle2(std::move(kopya), 77, 101, u"BRK1"_qs, u"FREN BALATASI"_qs,
                                      2.0, 18.0, 450.5, 10.0, 17, 1, 0.0, 0.0, 0.0);
        QCOMPARE(r, 3);
        QVERIFY(!kopya); // consumed
        QCOMPARE(guncel.CARINO(), 77);
        const auto p = t.parametreler("SepetEkle2");
        QCOMPARE(p.size(), 14);
        const auto k = pel::wire::readObject<TSonucBilgisi>(p[0]);
        QVERIFY(k);
        QCOMPARE(k->ADI(), u"mehmet"_qs);
        QCOMPARE(p[1].toInt32(), 77);
        QCOMPARE(p[2].toInt32(), 101);
        QCOMPARE(p[3].toText(), u"BRK1"_qs);
        QCOMPARE(p[4].toText(), u"FREN BALATASI"_qs);
        QCOMPARE(p[7].toDouble(), 450.5);
        QCOMPARE(p[9].toInt32(), 17);
        QCOMPARE(p[10].toInt32(), 1);
        for (int n = 11; n < 14; ++n) {
            QVERIFY(p[n].kind() == pel::wire::Kind::Real);
            QCOMPARE(p[n].toDouble(), 0.0);
        }
    }

    void raporGetirSendsSevenAndReadsSizeBeforeStream()
    {
        Sunucu t;
        t.sonuc("RaporGetir", "4,[37,80,68,70]");
        TServerMethods1Client c(t.bag->DBXConnection());
        qint64 size = 0;
        TAkis* a = c.RaporGetir(5, 1, 99, 1042, u"Ayşe"_qs, 45000.0, 45030.5, size);
        QCOMPARE(size, 4);
        QCOMPARE(AkisiOku(a, size).value_or(QByteArray()), QByteArray("%PDF"));
        const auto p = t.parametreler("RaporGetir");
        QCOMPARE(p.size(), 7);
        QCOMPARE(p[4].toText(), u"Ayşe"_qs);
        QCOMPARE(p[6].toDouble(), 45030.5);

        // The stream where the size belongs is a failed call.
        t.sonuc("RaporGetir", "[37,80,68,70],4");
        QVERIFY(!hataMetni([&] { c.RaporGetir(5, 1, 99, 1042, {}, 0, 0, size); }).isEmpty());
    }

    void everyMethodSendsItsArguments()
    {
        Sunucu t;
        TServerMethods1Client c(t.bag->DBXConnection());
        qint64 boy = 0;
        const QString s = u"x"_qs;
        struct Durum {
            QByteArray metot;
            int girdi;
            QByteArray cevap;
            std::function<void()> cagri;
            int kayitKonumu = -1;
        };
        auto obj = [](const char* tip, const char* alanlar) {
            return QByteArray("{\"type\":\"") + tip + "\",\"id\":1,\"fields\":{" + alanlar + "}}";
        };
        const std::vector<Durum> durumlar = {
            {"BuyukGetir", 1, obj("baglantiu.TSonucBilgisi", "\"FCARINO\":5"),
             [&] { QCOMPARE(c.BuyukGetir(s)->CARINO(), 5); }},
            {"StokAraGetir", 2, kTablo, [&] { QCOMPARE(c.StokAraGetir(s, kayit()).rowCount(), 2); }, 1},
            {"ResimVer5", 1, "2,[1,2]", [&] { QVERIFY(c.ResimVer5(1, boy)); QCOMPARE(boy, 2); }},
            {"StokHareketVer", 2, kTablo, [&] { c.StokHareketVer(1, 2); }},
            {"SepetVer2", 1, kTablo, [&] { c.SepetVer2(1); }},
            {"SepetEkle2", 14, "1",
             [&] { c.SepetEkle2(kayit(), 1, 2, s, s, 1, 2, 3, 4, 5, 6, 7, 8, 9); }, 0},
            {"SepetGuncelle2", 14, "1",
             [&] { c.SepetGuncelle2(kayit(), 1, 2, s, s, 1, 2, 3, 4, 5, 6, 7, 8, 9); }, 0},
            {"SepetSatirSil", 3, "1", [&] { c.SepetSatirSil(kayit(), 1, s); }, 0},
            {"SepetHepsiniSil", 1, "1", [&] { c.SepetHepsiniSil(kayit()); }, 0},
            {"SepetSecimGuncelle", 2, "", [&] { c.SepetSecimGuncelle(1, 1); }},
            {"SiparisKaydet", 7, "true",
             [&] { QVERIFY(c.SiparisKaydet(kayit(), 1, 2, 3, s, 4, 5)); }, 0},
            {"TeslimVer", 0, kTablo, [&] { QCOMPARE(c.TeslimVer()->rowCount(), 2); }},
            {"KargoVer", 0, kTablo, [&] { c.KargoVer(); }},
            {"KargolarVer", 1, kTablo, [&] { c.KargolarVer(1); }},
            {"OncekiSiparisler", 1, kTablo, [&] { c.OncekiSiparisler(1); }},
            {"SiparisAyrintisi2", 2, kTablo, [&] { c.SiparisAyrintisi2(1, 2); }},
            {"SiparisAytintisiDip", 2, obj("baglantiu.TSiparisDipAyrinti", "\"FKargo\":\"Aras\""),
             [&] { QCOMPARE(c.SiparisAytintisiDip(1, 2)->Kargo(), u"Aras"_qs); }},
            {"CariEkstreVer", 1, kTablo, [&] { c.CariEkstreVer(1); }},
            {"FaturaGetir", 2, kTablo, [&] { c.FaturaGetir(1, 2); }},
            {"FaturaAltGetir", 1, kTablo, [&] { c.FaturaAltGetir(1); }},
            {"Tahsilat", 1, kTablo, [&] { c.Tahsilat(1); }},
            {"SanalposSiranoVer", 1, "12", [&] { QCOMPARE(c.SanalposSiranoVer(1), 12); }},
            {"SAnalPosPdfVer", 1, "1,[7]", [&] { c.SAnalPosPdfVer(1, boy); }},
            {"BakiyelerVer2", 1, kTablo, [&] { c.BakiyelerVer2(1); }},
            {"BakiyeDuzenle", 7, "1", [&] { c.BakiyeDuzenle(kayit(), 1, 2, 3, 4, 5, s); }, 0},
            {"BakiyeDegistir", 7, "1", [&] { c.BakiyeDegistir(kayit(), 1, 2, 3, 4, 5, s); }, 0},
            {"BakiyeFiyatDegistir", 9, "1",
             [&] { c.BakiyeFiyatDegistir(kayit(), 1, 2, 3, 4, 5, s, 6, 7); }, 0},
            {"YenilerVer2", 1, kTablo, [&] { c.YenilerVer2(1); }},
            {"KampanyaliVer2", 2, kTablo, [&] { c.KampanyaliVer2(1, 2); }},
            {"BalonGetir", 1, kTablo, [&] { c.BalonGetir(kayit()); }, 0},
            {"AcilisEkranlarVer2", 0,
             obj("mobilstokunit.TAcilisEkranlariki", "\"FEkranlar\":[]"),
             [&] { QVERIFY(c.AcilisEkranlarVer2()->Ekranlar().isEmpty()); }},
            {"KayanYaziGetir", 0, "\"kayan\"", [&] { QCOMPARE(c.KayanYaziGetir(), u"kayan"_qs); }},
            {"BannerResimVer", 0, "1,[1]", [&] { c.BannerResimVer(boy); }},
            {"BannerResimVer2", 0, "1,[1]", [&] { c.BannerResimVer2(boy); }},
            {"BannerResimVer3", 0, "1,[1]", [&] { c.BannerResimVer3(boy); }},
            {"AcilisReklamAdet", 0, "3", [&] { QCOMPARE(c.AcilisReklamAdet(), 3); }},
            {"AcilisREklamVer", 1, obj("mobilstokunit.TAcilisEkran", "\"FSiraNo\":2"),
             [&] { QCOMPARE(c.AcilisREklamVer(0)->SiraNo(), 2); }},
            {"CariVadeGunGecmismiBul", 1, "\"\"", [&] { QVERIFY(c.CariVadeGunGecmismiBul(1).isEmpty()); }},
            {"CariDurumVer", 1, "\"1.250,00\"", [&] { c.CariDurumVer(1); }},
            {"CariAra", 2, kTablo, [&] { c.CariAra(kayit(), s); }, 0},
            {"SepetSayisi", 1, "4", [&] { QCOMPARE(c.SepetSayisi(kayit()), 4); }, 0},
            {"TusSonuclariVer", 1, obj("baglantiu.TTusSonuclari", "\"FGoruldu\":6"),
             [&] { QCOMPARE(c.TusSonuclariVer(kayit())->Goruldu(), 6); }, 0},
            {"CariSepetVer", 2, kTablo, [&] { c.CariSepetVer(kayit(), 1); }, 0},
            {"RaporGetir", 7, "1,[1]", [&] { c.RaporGetir(1, 2, 3, 4, s, 5, 6, boy); }},
            {"TumSiparislerVer", 2, kTablo, [&] { c.TumSiparislerVer(1, 2); }},
            {"RaporAlinanSiparisler", 3, kTablo, [&] { c.RaporAlinanSiparisler(kayit(), 1, 2); }, 0},
            {"RaporEnCokSatilanStoklar", 3, kTablo,
             [&] { c.RaporEnCokSatilanStoklar(kayit(), 1, 2); }, 0},
            {"MobilCariBilgisiGetir", 2, obj("mobilstokunit.TMobilCariBilgisi", "\"FTLBAKIYE\":1.5"),
             [&] { QCOMPARE(c.MobilCariBilgisiGetir(1, s)->TLBAKIYE(), 1.5); }},
            {"MailGonserCari", 16, "0",
             [&] { c.MailGonserCari(s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s); }},
            {"MailGonserCariNormal", 17, "0",
             [&] { c.MailGonserCariNormal(s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s); }},
        };
        for (const Durum& d : durumlar) {
            t.sonuc(d.metot, d.cevap);
            d.cagri();
            if (QTest::currentTestFailed())
                QFAIL(d.metot.constData());
            const auto p = t.parametreler(d.metot);
            QVERIFY2(p.size() == d.girdi, d.metot.constData());
            if (d.kayitKonumu >= 0)
                QVERIFY2(pel::wire::readObject<TSonucBilgisi>(p[d.kayitKonumu]),
                         d.metot.constData());
            const TDSServerMethodCommand* k = c.Komut(QString::fromLatin1(d.metot));
            QVERIFY(k);
            QCOMPARE(k->Text(), u"TServerMethods1."_qs + QString::fromLatin1(d.metot));
        }
        QCOMPARE(int(durumlar.size()), 50);
        QCOMPARE(c.KomutSayisi(), 50);
    }

    void sameMethodReusesCommandAndFreesPreviousObject()
    {
        Sunucu t;
        t.sonuc("AcilisREklamVer",
                "{\"type\":\"mobilstokunit.TAcilisEkran\",\"id\":1,\"fields\":{\"FBaslik\":\"Bir\"}}");
        TServerMethods1Client c(t.bag->DBXConnection());
        const TAcilisEkran* ilk = c.AcilisREklamVer(0);
        QVERIFY(ilk);
        TAcilisEkran benim;
        benim.Kopyala(*ilk);
        const TDSServerMethodCommand* k = c.Komut(u"AcilisREklamVer");
        const std::weak_ptr<const void> ilkSonuc = k->SonSonuc();
        QVERIFY(!ilkSonuc.expired());
        const TAcilisEkran* ikinci = c.AcilisREklamVer(1);
        QVERIFY(ikinci);
        QCOMPARE(c.Komut(u"AcilisREklamVer"), k);
        QCOMPARE(c.KomutSayisi(), 1);
        QCOMPARE(k->CalismaSayisi(), 2);
        QVERIFY(ilkSonuc.expired());
        QCOMPARE(benim.Baslik(), u"Bir"_qs);

        std::weak_ptr<const void> son = k->SonSonuc();
        {
            TServerMethods1Client baska(t.bag->DBXConnection());
            baska.AcilisREklamVer(0);
            son = baska.Komut(u"AcilisREklamVer")->SonSonuc();
            QVERIFY(!son.expired());
        }
        QVERIFY(son.expired()); // freeing the client frees its results
    }

    void withoutInstanceOwnershipResultsLiveWithTheClient()
    {
        Sunucu t;
        t.sonuc("TeslimVer", kTablo);
        TServerMethods1Client c(t.bag->DBXConnection(), false);
        const pel::TableData* ilk = c.TeslimVer();
        c.TeslimVer();
        QCOMPARE(ilk->rowCount(), 2);
    }

    void nullObjectIsNoObject()
    {
        Sunucu t;
        t.sonuc("BuyukGetir", "null");
        TServerMethods1Client c(t.bag->DBXConnection());
        QVERIFY(!c.BuyukGetir(u"YOK"_qs));
    }

    void rowsEndInLocalTable()
    {
        Sunucu t;
        t.sonuc("OncekiSiparisler", kTablo);
        TServerMethods1Client c(t.bag->DBXConnection());
        pel::LocalTable tablo;
        TabloyaKopyala(c.OncekiSiparisler(1), tablo);
        QVERIFY(tablo.isOpen());
        QCOMPARE(tablo.rowCount(), 2);
        QCOMPARE(tablo.field(0).name, u"AD"_qs);
        QCOMPARE(tablo.value(1, 1).toInt(), 2);
        TabloyaKopyala(nullptr, tablo);
        QCOMPARE(tablo.rowCount(), 0);
    }

    void callFaults_data()
    {
        QTest::addColumn<Ariza>("ariza");
        QTest::addColumn<int>("durum");
        QTest::addColumn<QByteArray>("govde");
        QTest::addColumn<QString>("parca");
        QTest::newRow("dropped") << Ariza::Kapat << 200 << QByteArray() << QString();
        QTest::newRow("garbage") << Ariza::Cop << 200 << QByteArray() << u"HTTP değil"_qs;
        QTest::newRow("body cut short")
            << Ariza::Kisa << 200 << QByteArray("{\"result\":[\"uzun bir metin\"]}")
            << u"yarıda"_qs;
        QTest::newRow("time-out") << Ariza::Sessiz << 200 << QByteArray() << u"yanıt vermedi"_qs;
        QTest::newRow("huge answer") << Ariza::Sonsuz << 200 << QByteArray() << u"çok büyük"_qs;
        QTest::newRow("server error")
            << Ariza::Yok << 500 << QByteArray("{\"error\":\"Stok bulunamadı\"}")
            << u"Stok bulunamadı"_qs;
        QTest::newRow("status without json")
            << Ariza::Yok << 503 << QByteArray("<html/>") << u"HTTP 503"_qs;
        QTest::newRow("not json") << Ariza::Yok << 200 << QByteArray("merhaba") << u"JSON"_qs;
        QTest::newRow("json cut") << Ariza::Yok << 200 << QByteArray("{\"result\":[\"a")
                                  << u"JSON"_qs;
        QTest::newRow("wrong shape") << Ariza::Yok << 200 << QByteArray("{\"sonuc\":[1]}")
                                     << u"result"_qs;
        QTest::newRow("too few values") << Ariza::Yok << 200 << QByteArray("{\"result\":[]}")
                                        << u"1 değer bekleniyordu"_qs;
        QTest::newRow("wrong kind") << Ariza::Yok << 200 << QByteArray("{\"result\":[12]}")
                                    << u"Metin beklenirken"_qs;
    }
    void callFaults()
    {
        QFETCH(Ariza, ariza);
        QFETCH(int, durum);
        QFETCH(QByteArray, govde);
        QFETCH(QString, parca);
        Sunucu t;
        TBaglantiSinirlari sin = t.bag->Sinirlar();
        sin.Yanit = std::chrono::milliseconds(300);
        sin.EnBuyukYanit = 1 << 20;
        t.bag->SetSinirlar(sin);
        t.bag->Close();
        t.bag->Open();
        t.cevap("KayanYaziGetir", SahteCevap{durum, govde, ariza});
        TServerMethods1Client c(t.bag->DBXConnection());
        const QString e = hataMetni([&] { c.KayanYaziGetir(); });
        QVERIFY(!e.isEmpty());
        if (!parca.isEmpty())
            QVERIFY2(e.contains(parca), qPrintable(e));
        // The connection recovers with the next check's reconnect.
        t.sonuc("KayanYaziGetir", "\"tamam\"");
        t.bag->Close();
        t.bag->Open();
        TServerMethods1Client c2(t.bag->DBXConnection());
        QCOMPARE(c2.KayanYaziGetir(), u"tamam"_qs);
    }

    void resultFaults()
    {
        Sunucu t;
        TServerMethods1Client c(t.bag->DBXConnection());
        t.sonuc("AcilisREklamVer", "{\"type\":\"mobilstokunit.TBaska\",\"id\":1,\"fields\":{}}");
        QVERIFY(hataMetni([&] { c.AcilisREklamVer(0); }).contains(u"Bilinmeyen nesne türü"));
        t.sonuc("AcilisREklamVer",
                "{\"type\":\"mobilstokunit.TAcilisEkran\",\"id\":1,\"fields\":{\"FSiraNo\":\"1\"}}");
        QVERIFY(!hataMetni([&] { c.AcilisREklamVer(0); }).isEmpty());
        t.sonuc("OncekiSiparisler", "{\"table\":[[\"A\",6],[\"B\",1]],\"A\":[1,2],\"B\":[\"x\"]}");
        QVERIFY(hataMetni([&] { c.OncekiSiparisler(1); }).contains(u"farklı uzunlukta"));
        t.sonuc("SepetVer2", "{\"table\":[[\"A\",6]],\"A\":[\"x\"]}");
        QVERIFY(!hataMetni([&] { c.SepetVer2(1); }).isEmpty());
        qint64 boy = 0;
        t.sonuc("ResimVer5", "2,[255,300]");
        QVERIFY(hataMetni([&] { c.ResimVer5(1, boy); }).contains(u"0..255"));
        t.sonuc("ResimVer5", "\"x\",[1]");
        QVERIFY(!hataMetni([&] { c.ResimVer5(1, boy); }).isEmpty());
    }

    void streamReader_data()
    {
        QTest::addColumn<QByteArray>("veri");
        QTest::addColumn<qint64>("boy");
        QTest::addColumn<bool>("kabul");
        QTest::newRow("exact") << QByteArray("\xff\xd8\xff", 3) << qint64(3) << true;
        QTest::newRow("two whole blocks") << QByteArray(2048, 'a') << qint64(2048) << true;
        QTest::newRow("blocks and a part") << QByteArray(2500, 'b') << qint64(2500) << true;
        QTest::newRow("shorter than announced") << QByteArray(1000, 'c') << qint64(1024) << false;
        QTest::newRow("longer than announced") << QByteArray(3000, 'd') << qint64(1500) << false;
        QTest::newRow("empty") << QByteArray() << qint64(0) << false;
        QTest::newRow("zero announced") << QByteArray("x") << qint64(0) << false;
    }
    void streamReader()
    {
        QFETCH(QByteArray, veri);
        QFETCH(qint64, boy);
        QFETCH(bool, kabul);
        TAkis a(veri);
        const auto r = AkisiOku(&a, boy);
        QCOMPARE(r.has_value(), kabul);
        if (kabul)
            QCOMPARE(*r, veri);
        QVERIFY(!AkisiOku(nullptr, 5));
    }

    void shortStreamOverTheWireIsAbsent()
    {
        Sunucu t;
        t.sonuc("BannerResimVer", "5,[1,2,3]");
        TServerMethods1Client c(t.bag->DBXConnection());
        qint64 size = 0;
        TAkis* a = c.BannerResimVer(size);
        QCOMPARE(size, 5);
        QVERIFY(!AkisiOku(a, size));
        t.sonuc("BannerResimVer", "0,null");
        QVERIFY(!c.BannerResimVer(size));
        QVERIFY(!AkisiOku(nullptr, size));
    }
};

QTEST_GUILESS_MAIN(TestProxim)
#include "test_proxim.moc"

// The basket and order road over the wire, the balance changes, who may do
// what, the search, bad requests and the web port.

#include "sunucudestek.h"

#include "server/metotlar.h"

#include <QImage>
#include <QSet>
#include <QSqlQuery>

using pel::wire::ListBuilder;
using pel::wire::ListReader;

namespace {

qint32 sepeteEkle(pelsrv::HttpIstemci& c, const TSonucBilgisi& k, qint32 carino, qint32 stokno,
                  double miktar, double fiyat = 100.0)
{
    ListBuilder p;
    p.add(k).add(carino).add(stokno).add(u"").add(u"").add(miktar).add(18.0).add(fiyat).add(12.0);
    p.add(k.Sirano()).add(qint32(0)).add(3.0).add(0.0).add(0.0);
    return test::cagir(c, QStringLiteral("SepetEkle2"), p, 1)[0].toInt32();
}

pel::TableData tablo(pelsrv::HttpIstemci& c, const QString& metot, const ListBuilder& p)
{
    return pel::wire::readTable(test::cagir(c, metot, p, 1)[0]);
}

pel::TableData tek(pelsrv::HttpIstemci& c, const char* metot, qint32 v)
{
    ListBuilder p;
    p.add(v);
    return tablo(c, QString::fromLatin1(metot), p);
}

pel::TableData iki(pelsrv::HttpIstemci& c, const char* metot, qint32 a, qint32 b)
{
    ListBuilder p;
    p.add(a).add(b);
    return tablo(c, QString::fromLatin1(metot), p);
}

QList<qint64> sutunDegerleri(const pel::TableData& t, const char* ad)
{
    QList<qint64> l;
    const int c = test::sutun(t, ad);
    for (int r = 0; r < t.rowCount(); ++r)
        l << t.intAt(r, c);
    return l;
}

void sec(pelsrv::HttpIstemci& c, qint64 sirano, int secim)
{
    ListBuilder p;
    p.add(qint32(sirano)).add(qint32(secim));
    QCOMPARE(test::cagir(c, QStringLiteral("SepetSecimGuncelle"), p, 0).size(), 0);
}

bool siparisKaydet(pelsrv::HttpIstemci& c, const TSonucBilgisi& k, qint32 kargo = 1, qint32 firma = 2)
{
    ListBuilder p;
    p.add(k).add(k.CARINO()).add(qint32(2)).add(kargo).add(u"Acil gönderiniz.\r\nTeşekkürler");
    p.add(k.Sirano()).add(firma);
    return test::cagir(c, QStringLiteral("SiparisKaydet"), p, 1)[0].toBool();
}

void sepetiBosalt(pelsrv::HttpIstemci& c, const TSonucBilgisi& k)
{
    ListBuilder p;
    p.add(k);
    QCOMPARE(test::cagir(c, QStringLiteral("SepetHepsiniSil"), p, 1)[0].toInt32(), 1);
}

} // namespace

class TestSiparis : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestSunucusu> m_s;
    std::unique_ptr<pelsrv::HttpIstemci> m_c;
    TSonucBilgisi m_musteri, m_temsilci, m_temsilci2, m_kisitli, m_pasif;

private Q_SLOTS:
    void initTestCase()
    {
        m_s = std::make_unique<test::TestSunucusu>();
        m_c = m_s->istemci();
        m_musteri = test::kimlikAl(*m_c, QStringLiteral("DEMO-MUSTERI"));
        m_temsilci = test::kimlikAl(*m_c, QStringLiteral("DEMO-TEMSILCI"));
        m_temsilci2 = test::kimlikAl(*m_c, QStringLiteral("DEMO-TEMSILCI2"));
        m_kisitli = test::kimlikAl(*m_c, QStringLiteral("DEMO-KISITLI"));
        m_pasif = test::kimlikAl(*m_c, QStringLiteral("DEMO-PASIF"));
        QVERIFY(m_musteri.Varmi() && m_temsilci.Varmi() && m_pasif.Varmi());
    }
    void cleanupTestCase()
    {
        m_c.reset();
        m_s.reset();
    }

    void ikiSatirSeciliSiparisYalnizcaOnlariAlir()
    {
        auto& c = *m_c;
        sepetiBosalt(c, m_musteri);
        const QList<qint64> oncekiSiparisler = sutunDegerleri(tek(c, "OncekiSiparisler", 1), "IDNO");
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 11, 2), 1);
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 22, 3), 1);
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 33, 4), 1);
        const pel::TableData sepet = tek(c, "SepetVer2", 1);
        QCOMPARE(sepet.rowCount(), 3);
        const QList<qint64> satirlar = sutunDegerleri(sepet, "SIRANO");
        QCOMPARE(sutunDegerleri(sepet, "STOKNO"), (QList<qint64>{11, 22, 33}));
        QCOMPARE(sutunDegerleri(sepet, "SEC"), (QList<qint64>{0, 0, 0}));
        sec(c, satirlar[0], 1);
        sec(c, satirlar[2], 1);
        QVERIFY(siparisKaydet(c, m_musteri));

        // The one new order holds exactly the two ticked lines.
        QList<qint64> yeni = sutunDegerleri(tek(c, "OncekiSiparisler", 1), "IDNO");
        for (qint64 e : oncekiSiparisler)
            yeni.removeAll(e);
        QCOMPARE(yeni.size(), 1);
        const qint32 idno = qint32(yeni.first());
        const pel::TableData satir = iki(c, "SiparisAyrintisi2", 1, idno);
        QCOMPARE(sutunDegerleri(satir, "STOKNO"), (QList<qint64>{11, 33}));
        QCOMPARE(sutunDegerleri(satir, "SIRANO"), (QList<qint64>{satirlar[0], satirlar[2]}));
        const int miktar = test::sutun(satir, "MIKTAR");
        QCOMPARE(satir.realAt(0, miktar), 2.0);
        QCOMPARE(satir.realAt(1, miktar), 4.0);

        // Its lines are open balances in full.
        const pel::TableData bakiye = tek(c, "BakiyelerVer2", 1);
        const int sip = test::sutun(bakiye, "SIPARISNO"), kalan = test::sutun(bakiye, "KALAN");
        QList<qint64> bakiyeStok;
        for (int r = 0; r < bakiye.rowCount(); ++r)
            if (bakiye.intAt(r, sip) == idno) {
                bakiyeStok << bakiye.intAt(r, test::sutun(bakiye, "STOKNO"));
                QCOMPARE(bakiye.realAt(r, kalan), bakiye.realAt(r, test::sutun(bakiye, "MIKTAR")));
            }
        QCOMPARE(bakiyeStok, (QList<qint64>{11, 33}));

        // The unticked line stays in the basket.
        const pel::TableData kalanSepet = tek(c, "SepetVer2", 1);
        QCOMPARE(sutunDegerleri(kalanSepet, "SIRANO"), (QList<qint64>{satirlar[1]}));

        // The footer tells how the order travels.
        ListBuilder p;
        p.add(qint32(0)).add(idno);
        const auto dip = pel::wire::readObject<TSiparisDipAyrinti>(
            test::cagir(c, QStringLiteral("SiparisAytintisiDip"), p, 1)[0]);
        QCOMPARE(dip->Durumu(), QStringLiteral("Alındı"));
        QCOMPARE(dip->Kargo(), QStringLiteral("Aras Kargo"));
        QCOMPARE(dip->TeslimCinsi(), QStringLiteral("Adrese Teslim"));
        QCOMPARE(dip->SizinMesaj(), QStringLiteral("Acil gönderiniz.\r\nTeşekkürler"));
        QCOMPARE(dip->Veren(), QStringLiteral("MUSTERI"));
    }

    void basarisizSiparisHicbirSeyDegistirmez_data()
    {
        QTest::addColumn<bool>("secili");
        QTest::addColumn<int>("kargo");
        QTest::addColumn<int>("firma");
        QTest::newRow("hiç seçili satır yok") << false << 1 << 1;
        QTest::newRow("kargo türüne ait olmayan firma") << true << 1 << 6;
        QTest::newRow("olmayan firma") << true << 2 << 99;
    }
    void basarisizSiparisHicbirSeyDegistirmez()
    {
        QFETCH(bool, secili);
        QFETCH(int, kargo);
        QFETCH(int, firma);
        auto& c = *m_c;
        sepetiBosalt(c, m_musteri);
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 44, 1), 1);
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 55, 1), 1);
        const pel::TableData once = tek(c, "SepetVer2", 1);
        if (secili)
            sec(c, once.intAt(0, test::sutun(once, "SIRANO")), 1);
        const int siparisSayisi = tek(c, "OncekiSiparisler", 1).rowCount();
        QVERIFY(!siparisKaydet(c, m_musteri, kargo, firma));
        QCOMPARE(tek(c, "OncekiSiparisler", 1).rowCount(), siparisSayisi);
        const pel::TableData sonra = tek(c, "SepetVer2", 1);
        QCOMPARE(sutunDegerleri(sonra, "SIRANO"), sutunDegerleri(once, "SIRANO"));
        QCOMPARE(sutunDegerleri(sonra, "SEC").first(), qint64(secili ? 1 : 0));
    }

    void yetkisizSepetIslemleriReddedilir_data()
    {
        QTest::addColumn<QString>("cihaz");
        QTest::addColumn<int>("carino");
        QTest::newRow("kayıtsız bilgisayar") << QStringLiteral("BILINMEYEN-PC") << 1;
        QTest::newRow("başka müşterinin sepeti") << QStringLiteral("DEMO-KISITLI") << 1;
        QTest::newRow("pasif kullanıcı") << QStringLiteral("DEMO-PASIF") << 4;
        QTest::newRow("temsilcinin olmayan müşterisi") << QStringLiteral("DEMO-TEMSILCI") << 2;
        QTest::newRow("olmayan cari") << QStringLiteral("DEMO-TEMSILCI2") << 999;
    }
    void yetkisizSepetIslemleriReddedilir()
    {
        QFETCH(QString, cihaz);
        QFETCH(int, carino);
        auto& c = *m_c;
        TSonucBilgisi k = test::kimlikAl(c, cihaz);
        k.SetBILGISAYARID(cihaz);
        k.SetCARINO(carino);
        const int once = tek(c, "SepetVer2", carino).rowCount();
        QCOMPARE(sepeteEkle(c, k, carino, 7, 1), 0);
        QCOMPARE(tek(c, "SepetVer2", carino).rowCount(), once);
        ListBuilder p;
        p.add(k);
        QCOMPARE(test::cagir(c, QStringLiteral("SepetHepsiniSil"), p, 1)[0].toInt32(), 0);
        QCOMPARE(tek(c, "SepetVer2", carino).rowCount(), once);
    }

    void musteriSunucununFiyatiylaTemsilciKendiFiyatiylaEkler()
    {
        auto& c = *m_c;
        sepetiBosalt(c, m_musteri);
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 14, 1, 0.01), 1);
        ListBuilder ara;
        ara.add(test::barkod(14)).add(m_musteri);
        const pel::TableData stok = tablo(c, QStringLiteral("StokAraGetir"), ara);
        QCOMPARE(stok.rowCount(), 1);
        const pel::TableData sepet = tek(c, "SepetVer2", 1);
        QCOMPARE(sepet.realAt(0, test::sutun(sepet, "BIRIMFIYAT")), stok.realAt(0, test::sutun(stok, "FIYAT")));
        QCOMPARE(sepet.realAt(0, test::sutun(sepet, "INDIRIMORANI1")), stok.realAt(0, test::sutun(stok, "IND1")));
        QCOMPARE(sepet.realAt(0, test::sutun(sepet, "NETBIRIMFIYAT")), stok.realAt(0, test::sutun(stok, "NETFIYAT")));

        TSonucBilgisi t = m_temsilci;
        t.SetCARINO(6); // a customer of the first representative
        sepetiBosalt(c, t);
        QCOMPARE(sepeteEkle(c, t, 6, 14, 2, 123.45), 1);
        const pel::TableData ts = tek(c, "SepetVer2", 6);
        QCOMPARE(ts.rowCount(), 1);
        QCOMPARE(ts.realAt(0, test::sutun(ts, "BIRIMFIYAT")), 123.45);
        QCOMPARE(ts.realAt(0, test::sutun(ts, "INDIRIMORANI2")), 3.0);
        QCOMPARE(ts.realAt(0, test::sutun(ts, "TUTAR")), 246.9);
        QCOMPARE(ts.textAt(0, test::sutun(ts, "VEREN")).toString(), QStringLiteral("TEMSILCI"));
    }

    void sepetSatiriDegisirVeSilinir()
    {
        auto& c = *m_c;
        sepetiBosalt(c, m_musteri);
        QCOMPARE(sepeteEkle(c, m_musteri, 1, 15, 2), 1);
        const qint64 no = tek(c, "SepetVer2", 1).intAt(0, 0);
        ListBuilder g;
        g.add(m_musteri).add(qint32(1)).add(qint32(0)).add(u"").add(u"").add(5.0).add(18.0).add(1.0).add(0.0);
        g.add(m_musteri.Sirano()).add(qint32(no)).add(0.0).add(0.0).add(0.0);
        QCOMPARE(test::cagir(c, QStringLiteral("SepetGuncelle2"), g, 1)[0].toInt32(), 1);
        const pel::TableData t = tek(c, "SepetVer2", 1);
        QCOMPARE(t.realAt(0, test::sutun(t, "MIKTAR")), 5.0);
        ListBuilder sil;
        sil.add(m_kisitli).add(qint32(no)).add(u"x");
        QCOMPARE(test::cagir(c, QStringLiteral("SepetSatirSil"), sil, 1)[0].toInt32(), 0);
        ListBuilder sil2;
        sil2.add(m_musteri).add(qint32(no)).add(u"x");
        QCOMPARE(test::cagir(c, QStringLiteral("SepetSatirSil"), sil2, 1)[0].toInt32(), 1);
        QCOMPARE(tek(c, "SepetVer2", 1).rowCount(), 0);
    }

    void bakiyeIslemleriSonrakiOkumalariDegistirir()
    {
        auto& c = *m_c;
        const pel::TableData once = tek(c, "BakiyelerVer2", 1);
        QVERIFY(once.rowCount() >= 3);
        const int sh = test::sutun(once, "STOKHAR_NO");
        const qint32 a = qint32(once.intAt(0, sh)), b = qint32(once.intAt(1, sh)), d = qint32(once.intAt(2, sh));
        TSonucBilgisi k = m_temsilci2;
        k.SetCARINO(1);
        auto islem = [&](const char* metot, const TSonucBilgisi& kim, qint32 satir, double n, bool fiyat) {
            ListBuilder p;
            p.add(kim).add(qint32(0)).add(qint32(0)).add(satir).add(n).add(n).add(u"");
            if (fiyat)
                p.add(77.7).add(150.0);
            return test::cagir(c, QString::fromLatin1(metot), p, 1)[0].toInt32();
        };
        QCOMPARE(islem("BakiyeDegistir", k, a, 1, false), 1);
        QCOMPARE(islem("BakiyeDuzenle", k, b, 0, false), 1);
        QCOMPARE(islem("BakiyeFiyatDegistir", m_musteri, d, 0, true), 0); // no price rights
        QCOMPARE(islem("BakiyeFiyatDegistir", k, d, 0, true), 1);
        QCOMPARE(islem("BakiyeDegistir", k, a, -2, false), 0);
        const pel::TableData sonra = tek(c, "BakiyelerVer2", 1);
        QList<qint64> nolar = sutunDegerleri(sonra, "STOKHAR_NO");
        QVERIFY(nolar.contains(a));
        QVERIFY(!nolar.contains(b));
        const int ra = int(nolar.indexOf(a)), rd = int(nolar.indexOf(d));
        QCOMPARE(sonra.realAt(ra, test::sutun(sonra, "KALAN")), 1.0);
        QCOMPARE(sonra.realAt(rd, test::sutun(sonra, "BIRIMFIYAT")), 77.7);
        QCOMPARE(sonra.realAt(rd, test::sutun(sonra, "INDIRIMORANI1")), 100.0); // rate capped
        QCOMPARE(sonra.rowCount(), once.rowCount() - 1);
    }

    void aramaTurkceHarfleriKatlar_data()
    {
        QTest::addColumn<QString>("aranan");
        QTest::addColumn<QString>("sutun");
        QTest::addColumn<QString>("icermeli");
        QTest::newRow("YAG bulur YAĞ") << QStringLiteral("YAG FILTRESI") << QStringLiteral("ADI") << QStringLiteral("YAĞ FİLTRESİ");
        QTest::newRow("küçük harf ve ğ") << QStringLiteral("yağ filtresi") << QStringLiteral("ADI") << QStringLiteral("YAĞ FİLTRESİ");
        QTest::newRow("ı ve ş") << QStringLiteral("şarj dinamosu") << QStringLiteral("ADI") << QStringLiteral("ŞARJ DİNAMOSU");
        QTest::newRow("barkod") << test::barkod(90) << QStringLiteral("BARKOD") << test::barkod(90);
    }
    void aramaTurkceHarfleriKatlar()
    {
        QFETCH(QString, aranan);
        QFETCH(QString, sutun);
        QFETCH(QString, icermeli);
        ListBuilder p;
        p.add(aranan).add(m_musteri);
        const pel::TableData t = tablo(*m_c, QStringLiteral("StokAraGetir"), p);
        QVERIFY(t.rowCount() > 0);
        const int col = t.fieldIndex(sutun);
        for (int r = 0; r < t.rowCount(); ++r)
            QVERIFY2(t.textAt(r, col).toString().contains(icermeli), qPrintable(t.textAt(r, col).toString()));
    }

    void aramaKodlarlaBulur()
    {
        // Take an item's codes and look it up by each of them.
        ListBuilder p;
        p.add(test::barkod(12)).add(m_musteri);
        const pel::TableData t = tablo(*m_c, QStringLiteral("StokAraGetir"), p);
        QCOMPARE(t.rowCount(), 1);
        const qint64 no = t.intAt(0, 0);
        for (const char* kolon : {"OEM1", "OEMNO", "FINISHKOD", "URETICIKODU"}) {
            const QString kod = t.textAt(0, test::sutun(t, kolon)).toString();
            ListBuilder q;
            q.add(kod.toLower()).add(m_musteri);
            const pel::TableData s = tablo(*m_c, QStringLiteral("StokAraGetir"), q);
            QVERIFY2(sutunDegerleri(s, "STOK_STOKNO").contains(no), kolon);
        }
        ListBuilder bos;
        bos.add(u"   ").add(m_musteri);
        QCOMPARE(tablo(*m_c, QStringLiteral("StokAraGetir"), bos).rowCount(), 0);
    }

    void kampanyasizMusteriKampanyaFiyatiGormez()
    {
        const TSonucBilgisi k = test::kimlikAl(*m_c, QStringLiteral("DEMO-KAMPANYASIZ"));
        ListBuilder p;
        p.add(test::barkod(13)).add(k); // item 13 is a campaign item
        const pel::TableData t = tablo(*m_c, QStringLiteral("StokAraGetir"), p);
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.intAt(0, test::sutun(t, "K")), 0);
        QCOMPARE(t.realAt(0, test::sutun(t, "KAMPFIYAT")), 0.0);
        ListBuilder q;
        q.add(test::barkod(13)).add(m_musteri);
        const pel::TableData m = tablo(*m_c, QStringLiteral("StokAraGetir"), q);
        QCOMPARE(m.intAt(0, test::sutun(m, "K")), 1);
        QVERIFY(m.realAt(0, test::sutun(m, "KAMPFIYAT")) > 0);
        QCOMPARE(m.realAt(0, test::sutun(m, "FIYAT")), m.realAt(0, test::sutun(m, "KAMPFIYAT")));
    }

    void bilinmeyenCihazKayitsizDoner()
    {
        m_s->magaza().yayinSurumuYaz(3);
        const TSonucBilgisi k = test::kimlikAl(*m_c, QStringLiteral("YOK-BOYLE-PC"));
        QVERIFY(!k.Varmi());
        QCOMPARE(k.Version(), 3);
        const TSonucBilgisi p = test::kimlikAl(*m_c, QStringLiteral("DEMO-PASIF"));
        QVERIFY(p.Varmi());
        QCOMPARE(p.AKTIF(), 0);
        QCOMPARE(p.Version(), 3);
        m_s->magaza().yayinSurumuYaz(1);
        const TSonucBilgisi t = test::kimlikAl(*m_c, QStringLiteral("DEMO-TEMSILCI2"));
        QCOMPARE(t.MusteriTipi(), 2);
        QCOMPARE(t.SaticiAdi(), QStringLiteral("MEHMET KAYA"));
        QCOMPARE(t.CARINO(), 0);
    }

    void bozukIstekHataCevabiAlir_data()
    {
        QTest::addColumn<QString>("metot");
        QTest::addColumn<QByteArray>("govde");
        QTest::newRow("JSON değil") << QStringLiteral("SepetVer2") << QByteArray("{\"_parameters\":[1");
        QTest::newRow("parametre yok") << QStringLiteral("SepetVer2") << QByteArray("{}");
        QTest::newRow("eksik parametre") << QStringLiteral("KargolarVer") << QByteArray("{\"_parameters\":[]}");
        QTest::newRow("fazla parametre") << QStringLiteral("TeslimVer") << QByteArray("{\"_parameters\":[1]}");
        QTest::newRow("yanlış tür") << QStringLiteral("SepetVer2") << QByteArray("{\"_parameters\":[\"bir\"]}");
        QTest::newRow("kimlik yerine null") << QStringLiteral("BalonGetir") << QByteArray("{\"_parameters\":[null]}");
        QTest::newRow("yanlış nesne tipi") << QStringLiteral("BalonGetir")
                                           << QByteArray("{\"_parameters\":[{\"type\":\"x.Y\",\"id\":1,\"fields\":{}}]}");
        QTest::newRow("bilinmeyen metot") << QStringLiteral("DropTable") << QByteArray("{\"_parameters\":[]}");
        QTest::newRow("SQL benzeri metin") << QStringLiteral("CariDurumVer")
                                           << QByteArray("{\"_parameters\":[\"1; DROP TABLE stoklar\"]}");
        QTest::newRow("çok büyük gövde") << QStringLiteral("KayanYaziGetir")
                                         << (QByteArray("{\"_parameters\":[\"") + QByteArray(9 * 1024 * 1024, 'a') + "\"]}");
    }
    void bozukIstekHataCevabiAlir()
    {
        QFETCH(QString, metot);
        QFETCH(QByteArray, govde);
        const pelsrv::Cevap r = m_c->cagir(metot, govde);
        QVERIFY(r.durum != 200);
        try {
            pel::wire::decodeResult(r.durum, r.govde, 0);
            QFAIL("hata beklenirken sonuç geldi");
        } catch (const pel::Error& e) {
            QCOMPARE(e.kind(), pel::wire::kSunucuHatasi);
            QVERIFY(!e.text().isEmpty());
        }
        // The store keeps working.
        auto c = m_s->istemci();
        QVERIFY(tek(*c, "CariEkstreVer", 1).rowCount() > 0);
        ListBuilder p;
        p.add(u"fren").add(m_musteri);
        QVERIFY(tablo(*c, QStringLiteral("StokAraGetir"), p).rowCount() > 0);
    }

    void webPortu()
    {
        auto w = m_s->webIstemci();
        pelsrv::Cevap r = w->get(QStringLiteral("/ip"));
        QCOMPARE(r.durum, 200);
        QCOMPARE(r.govde, QByteArray("127.0.0.1"));

        r = w->get(QStringLiteral("/resimgoster.ashx?id=9"));
        QCOMPARE(r.durum, 200);
        QCOMPARE(w->sonIcerikTuru(), QByteArray("image/jpeg"));
        QImage img;
        QVERIFY(img.loadFromData(r.govde, "JPEG"));
        QCOMPARE(img.size(), QSize(320, 240));
        QCOMPARE(w->get(QStringLiteral("/resimgoster.ashx?id=10")).durum, 404);
        QCOMPARE(w->get(QStringLiteral("/resimgoster.ashx?id=abc")).durum, 404);
        QCOMPARE(w->get(QStringLiteral("/resimgoster.ashx")).durum, 404);

        r = w->get(QStringLiteral("/formmailgonder.aspx?carino=0&kullanici=%20&id=%3Cscript%3EX"));
        QCOMPARE(r.durum, 200);
        QVERIFY(r.govde.contains("<form"));
        QVERIFY(r.govde.contains("&lt;script&gt;X"));
        QVERIFY(!r.govde.contains("<script>"));

        r = w->post(QStringLiteral("/formmailgonder.aspx"),
                    QByteArray("id=PC-42&firmaadi=%C3%96ZT%C3%9CRK+OTO&yetkili=Ali&telefon=0212"),
                    "application/x-www-form-urlencoded");
        QCOMPARE(r.durum, 200);
        QVERIFY(QString::fromUtf8(r.govde).contains(QStringLiteral("ÖZTÜRK OTO")));
        QSqlQuery q(m_s->magaza().db());
        QVERIFY(q.exec(QStringLiteral("SELECT icerik FROM istekler WHERE bilgisayarid = 'PC-42'")));
        QVERIFY(q.next());
        QVERIFY(q.value(0).toString().contains(QStringLiteral("ÖZTÜRK OTO")));
        q.finish();
        QCOMPARE(w->post(QStringLiteral("/formmailgonder.aspx"), QByteArray("id=PC-43"),
                         "application/x-www-form-urlencoded").durum, 400);

        r = w->get(QStringLiteral("/exe/PelmoraSetup.exe"));
        QCOMPARE(r.durum, 200);
        QVERIFY(r.govde.startsWith("MZ"));
        QCOMPARE(r.govde.mid(0x40, 4), QByteArray("PE\0\0", 4));
    }
};

QTEST_MAIN(TestSiparis)
#include "test_siparis.moc"

// Walks the whole server method catalogue over HTTP: every method answers
// with the kind, the columns and the objects the screens rely on.

#include "gereklisutunlar.h"
#include "sunucudestek.h"

#include "platform/datetime.h"
#include "remote/mobilstokunit.h"
#include "server/cagri.h"

#include <QDate>
#include <QSet>

#include <functional>
#include <map>

using pel::wire::ListBuilder;
using pel::wire::ListReader;
using test::Deger;
using test::Sonuc;

template <class V>
ListBuilder bir(V v)
{
    ListBuilder p;
    p.add(v);
    return p;
}

class TestKatalog : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestSunucusu> m_sunucu;
    std::unique_ptr<pelsrv::HttpIstemci> m_c;
    TSonucBilgisi m_musteri, m_temsilci, m_temsilci2;
    qint32 m_siparisNo = 0, m_faturaNo = 0, m_tahsilatNo = 0, m_posNo = 0;
    QList<qint32> m_bakiyeSatirlari;
    std::map<QString, std::function<ListBuilder()>> m_argumanlar;

    pel::TableData tablo(const QString& metot, const ListBuilder& p)
    {
        const ListReader r = test::cagir(*m_c, metot, p, 1);
        return pel::wire::readTable(r[0]);
    }

    void argumanlariKur()
    {
        const double bugun = pel::toDayCount(QDate::currentDate());
        auto a = [this](const char* ad, std::function<ListBuilder()> f) {
            m_argumanlar[QString::fromLatin1(ad)] = std::move(f);
        };
        auto ilkSepetSatiri = [this](bool son) {
            ListBuilder p;
            p.add(qint32(1));
            const pel::TableData t = tablo(QStringLiteral("SepetVer2"), p);
            const int c = test::sutun(t, "SIRANO");
            return t.rowCount() ? qint32(t.intAt(son ? t.rowCount() - 1 : 0, c)) : 0;
        };
        a("BuyukGetir", [=] { return bir(QStringLiteral("DEMO-MUSTERI")); });
        a("StokAraGetir", [this] {
            ListBuilder p;
            p.add(QStringLiteral("fren balatası ön")).add(m_musteri);
            return p;
        });
        a("ResimVer5", [=] { return bir(qint32(9)); });
        a("StokHareketVer", [] {
            ListBuilder p;
            p.add(qint32(1)).add(qint32(9));
            return p;
        });
        a("SepetVer2", [=] { return bir(qint32(1)); });
        a("SepetEkle2", [this] {
            ListBuilder p;
            p.add(m_musteri).add(qint32(1)).add(qint32(9)).add(u"").add(u"").add(2.0).add(18.0).add(100.0);
            p.add(10.0).add(m_musteri.Sirano()).add(qint32(0)).add(0.0).add(0.0).add(0.0);
            return p;
        });
        a("SepetGuncelle2", [=] {
            ListBuilder p;
            p.add(m_musteri).add(qint32(1)).add(qint32(0)).add(u"").add(u"").add(3.0).add(18.0).add(100.0);
            p.add(10.0).add(m_musteri.Sirano()).add(ilkSepetSatiri(true)).add(0.0).add(0.0).add(0.0);
            return p;
        });
        a("SepetSatirSil", [=] {
            ListBuilder p;
            p.add(m_musteri).add(ilkSepetSatiri(true)).add(u"silinen satır");
            return p;
        });
        a("SepetHepsiniSil", [this] {
            TSonucBilgisi k = m_temsilci2;
            k.SetCARINO(5);
            return bir(k);
        });
        a("SepetSecimGuncelle", [=] {
            ListBuilder p;
            p.add(ilkSepetSatiri(false)).add(qint32(1));
            return p;
        });
        a("SiparisKaydet", [this] {
            ListBuilder p;
            p.add(m_musteri).add(qint32(1)).add(qint32(1)).add(qint32(1)).add(u"Katalog denemesi");
            p.add(m_musteri.Sirano()).add(qint32(1));
            return p;
        });
        a("TeslimVer", [] { return ListBuilder(); });
        a("KargoVer", [] { return ListBuilder(); });
        a("KargolarVer", [=] { return bir(qint32(1)); });
        a("OncekiSiparisler", [=] { return bir(qint32(1)); });
        a("SiparisAyrintisi2", [this] {
            ListBuilder p;
            p.add(qint32(1)).add(m_siparisNo);
            return p;
        });
        a("SiparisAytintisiDip", [this] {
            ListBuilder p;
            p.add(qint32(0)).add(m_siparisNo);
            return p;
        });
        a("CariEkstreVer", [=] { return bir(qint32(1)); });
        a("FaturaGetir", [this] {
            ListBuilder p;
            p.add(qint32(1)).add(m_faturaNo);
            return p;
        });
        a("FaturaAltGetir", [this] { return bir(m_faturaNo); });
        a("Tahsilat", [this] { return bir(m_tahsilatNo); });
        a("SanalposSiranoVer", [this] { return bir(m_tahsilatNo); });
        a("SAnalPosPdfVer", [this] { return bir(m_posNo); });
        a("BakiyelerVer2", [=] { return bir(qint32(1)); });
        auto bakiye = [this](int i, bool fiyat) {
            TSonucBilgisi k = m_temsilci2;
            k.SetCARINO(1);
            ListBuilder p;
            p.add(k).add(qint32(0)).add(qint32(0)).add(m_bakiyeSatirlari.value(i)).add(2.0).add(1.0).add(u"");
            if (fiyat)
                p.add(95.5).add(5.0);
            return p;
        };
        a("BakiyeDuzenle", [=] { return bakiye(0, false); });
        a("BakiyeDegistir", [=] { return bakiye(1, false); });
        a("BakiyeFiyatDegistir", [=] { return bakiye(2, true); });
        a("YenilerVer2", [=] { return bir(qint32(1)); });
        a("KampanyaliVer2", [] {
            ListBuilder p;
            p.add(qint32(1)).add(qint32(0));
            return p;
        });
        a("BalonGetir", [this] { return bir(m_musteri); });
        a("AcilisEkranlarVer2", [] { return ListBuilder(); });
        a("KayanYaziGetir", [] { return ListBuilder(); });
        a("BannerResimVer", [] { return ListBuilder(); });
        a("BannerResimVer2", [] { return ListBuilder(); });
        a("BannerResimVer3", [] { return ListBuilder(); });
        a("AcilisReklamAdet", [] { return ListBuilder(); });
        a("AcilisREklamVer", [=] { return bir(qint32(0)); });
        a("CariVadeGunGecmismiBul", [=] { return bir(qint32(1)); });
        a("CariDurumVer", [=] { return bir(qint32(1)); });
        a("CariAra", [this] {
            ListBuilder p;
            p.add(m_temsilci).add(u"");
            return p;
        });
        a("SepetSayisi", [this] { return bir(m_temsilci); });
        a("TusSonuclariVer", [this] { return bir(m_temsilci); });
        a("CariSepetVer", [this] {
            ListBuilder p;
            p.add(m_temsilci2).add(qint32(1));
            return p;
        });
        a("RaporGetir", [=] {
            ListBuilder p;
            p.add(qint32(6)).add(qint32(6)).add(m_temsilci.Sirano()).add(qint32(1)).add(u"AHMET YILMAZ");
            p.add(bugun).add(bugun);
            return p;
        });
        a("TumSiparislerVer", [] {
            ListBuilder p;
            p.add(qint32(1)).add(qint32(0));
            return p;
        });
        a("RaporAlinanSiparisler", [=] {
            ListBuilder p;
            p.add(m_temsilci2).add(bugun - 365).add(bugun);
            return p;
        });
        a("RaporEnCokSatilanStoklar", [=] {
            ListBuilder p;
            p.add(m_temsilci2).add(bugun - 365).add(bugun);
            return p;
        });
        a("MobilCariBilgisiGetir", [] {
            ListBuilder p;
            p.add(qint32(0)).add(u"DEMO-MUSTERI");
            return p;
        });
        auto mail = [](bool normal) {
            ListBuilder p;
            p.add(u"DEMO-MUSTERI").add(u"Şifre Değiştirme İsteği");
            for (int i = 0; i < 14; ++i)
                p.add(QStringLiteral("alan %1").arg(i));
            if (normal)
                p.add(u"\"satır 1\",satır2");
            return p;
        };
        a("MailGonserCari", [=] { return mail(false); });
        a("MailGonserCariNormal", [=] { return mail(true); });
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_sunucu = std::make_unique<test::TestSunucusu>();
        m_c = m_sunucu->istemci();
        m_musteri = test::kimlikAl(*m_c, QStringLiteral("DEMO-MUSTERI"));
        m_temsilci = test::kimlikAl(*m_c, QStringLiteral("DEMO-TEMSILCI"));
        m_temsilci2 = test::kimlikAl(*m_c, QStringLiteral("DEMO-TEMSILCI2"));
        QVERIFY(m_musteri.Varmi());
        QCOMPARE(m_musteri.CARINO(), 1);

        ListBuilder bir;
        bir.add(qint32(1));
        const pel::TableData o = tablo(QStringLiteral("OncekiSiparisler"), bir);
        QVERIFY(o.rowCount() > 0);
        m_siparisNo = qint32(o.intAt(0, test::sutun(o, "IDNO")));

        const pel::TableData e = tablo(QStringLiteral("CariEkstreVer"), bir);
        const int tur = test::sutun(e, "TURADI"), id = test::sutun(e, "IDNO");
        for (int r = 0; r < e.rowCount(); ++r) {
            const QString t = e.textAt(r, tur).toString();
            if (!m_faturaNo && t.contains(QStringLiteral("Fatura")) && !t.startsWith(QStringLiteral("İade")))
                m_faturaNo = qint32(e.intAt(r, id));
            if (t == QStringLiteral("Tahsilat") && !m_posNo) {
                ListBuilder p;
                p.add(qint32(e.intAt(r, id)));
                const qint32 pos = test::cagir(*m_c, QStringLiteral("SanalposSiranoVer"), p, 1)[0].toInt32();
                if (pos > 0) {
                    m_tahsilatNo = qint32(e.intAt(r, id));
                    m_posNo = pos;
                }
            }
        }
        QVERIFY2(m_faturaNo > 0, "demo ekstresinde fatura yok");
        QVERIFY2(m_posNo > 0, "demo ekstresinde kartlı tahsilat yok");

        const pel::TableData b = tablo(QStringLiteral("BakiyelerVer2"), bir);
        const int sh = test::sutun(b, "STOKHAR_NO");
        for (int r = 0; r < b.rowCount(); ++r)
            m_bakiyeSatirlari << qint32(b.intAt(r, sh));
        QVERIFY2(m_bakiyeSatirlari.size() >= 3, "demo müşterisinin açık bakiyesi az");
        argumanlariKur();
    }

    void cleanupTestCase()
    {
        m_c.reset();
        m_sunucu.reset();
    }

    void herMetotSunuluyor()
    {
        QSet<QString> beklenen;
        for (const auto& g : test::gereksinimler())
            beklenen << QString::fromLatin1(g.metot);
        const QStringList sunulan = pelsrv::metotAdlari();
        QCOMPARE(QSet<QString>(sunulan.begin(), sunulan.end()), beklenen);
        QCOMPARE(beklenen.size(), 50);
    }

    void metot_data()
    {
        QTest::addColumn<int>("sira");
        for (int i = 0; i < int(test::gereksinimler().size()); ++i)
            QTest::newRow(test::gereksinimler()[size_t(i)].metot) << i;
    }

    void metot()
    {
        QFETCH(int, sira);
        const test::MetotGereksinimi& g = test::gereksinimler()[size_t(sira)];
        const QString ad = QString::fromLatin1(g.metot);
        QVERIFY2(m_argumanlar.count(ad), "argüman tanımı yok");
        const pelsrv::Cevap cevap = m_c->cagir(ad, m_argumanlar[ad]().parametersBody());
        QVERIFY2(cevap.durum == 200, cevap.govde.constData());
        const ListReader r = pel::wire::decodeResult(cevap.durum, cevap.govde, 0);
        switch (g.sonuc) {
        case Sonuc::Yok:
            QCOMPARE(r.size(), 0);
            break;
        case Sonuc::Tamsayi:
            QCOMPARE(r.size(), 1);
            QVERIFY(r[0].isInteger());
            QCOMPARE(r[0].toInt32(), ad == QStringLiteral("AcilisReklamAdet") ? 3
                                     : ad == QStringLiteral("SepetSayisi") || ad == QStringLiteral("SanalposSiranoVer")
                                         ? r[0].toInt32()
                                         : 1);
            break;
        case Sonuc::Mantiksal:
            QCOMPARE(r.size(), 1);
            QCOMPARE(r[0].kind(), pel::wire::Kind::Bool);
            QVERIFY(r[0].toBool());
            break;
        case Sonuc::Metin:
            QCOMPARE(r.size(), 1);
            QVERIFY(r[0].isString());
            break;
        case Sonuc::Akis: {
            QCOMPARE(r.size(), 2);
            const qint64 boy = r[0].toInt64();
            const QByteArray b = pel::wire::readStream(r[1]);
            QVERIFY(boy > 0);
            QCOMPARE(qint64(b.size()), boy);
            if (ad == QStringLiteral("ResimVer5"))
                QVERIFY(b.startsWith("\xFF\xD8"));
            else if (ad == QStringLiteral("BannerResimVer3"))
                QVERIFY(b.startsWith("BM"));
            else if (ad.startsWith(QStringLiteral("Banner")))
                QVERIFY(b.startsWith("GIF89a"));
            else
                QVERIFY(b.startsWith("%PDF"));
            break;
        }
        case Sonuc::Nesne: {
            QCOMPARE(r.size(), 1);
            QVERIFY2(r[0].isObject(), "nesne yerine başka değer");
            QCOMPARE(r[0].member(u"type").toText(), QString::fromLatin1(g.nesneTipi));
            QCOMPARE(r[0].member(u"id").toInt32(), 1);
            const QString tip = QString::fromLatin1(g.nesneTipi);
            if (tip.endsWith(QStringLiteral("TAcilisEkranlariki"))) {
                const auto e = pel::wire::readObject<TAcilisEkranlariki>(r[0]);
                QCOMPARE(e->Ekranlar().size(), 5);
                for (const TAcilisEkran& k : e->Ekranlar())
                    QVERIFY(k.Resim().startsWith(QStringLiteral("FFD8")));
                QCOMPARE(r[0].member(u"fields").member(u"FEkranlar").at(2).member(u"id").toInt32(), 4);
            } else if (tip.endsWith(QStringLiteral("TAcilisEkran"))) {
                const auto e = pel::wire::readObject<TAcilisEkran>(r[0]);
                QVERIFY(e->Resim().startsWith(QStringLiteral("FFD8")));
                QVERIFY(!e->Baslik().isEmpty());
            } else if (tip.endsWith(QStringLiteral("TSonucBilgisi"))) {
                const auto k = pel::wire::readObject<TSonucBilgisi>(r[0]);
                QVERIFY(k->Varmi());
                QCOMPARE(k->ADI(), QStringLiteral("MUSTERI"));
            } else if (tip.endsWith(QStringLiteral("TSiparisDipAyrinti"))) {
                const auto k = pel::wire::readObject<TSiparisDipAyrinti>(r[0]);
                QVERIFY(!k->Durumu().isEmpty());
                QVERIFY(!k->TeslimCinsi().isEmpty());
            } else if (tip.endsWith(QStringLiteral("TTusSonuclari"))) {
                const auto k = pel::wire::readObject<TTusSonuclari>(r[0]);
                QVERIFY(k->Alindi() + k->Onaylandi() + k->Goruldu() + k->Hazirlandi() +
                            k->ParcaliHazirlandi() + k->SevkEdildi() > 0);
            } else {
                const auto k = pel::wire::readObject<TMobilCariBilgisi>(r[0]);
                QCOMPARE(k->CARINO(), 1);
                QVERIFY(!k->ADRES1().isEmpty());
            }
            break;
        }
        case Sonuc::Tablo: {
            QCOMPARE(r.size(), 1);
            const pel::TableData t = pel::wire::readTable(r[0]);
            for (const test::GerekliSutun& s : g.sutunlar) {
                const int c = t.fieldIndex(QString::fromUtf8(s.ad));
                QVERIFY2(c >= 0, (ad + QStringLiteral(": sütun yok: ") + QString::fromUtf8(s.ad)).toUtf8());
                QVERIFY2(test::uyar(t.field(c).type, s.deger),
                         (ad + QStringLiteral(": sütun türü uymuyor: ") + QString::fromUtf8(s.ad)).toUtf8());
            }
            for (size_t i = 0; i < g.konumlu.size(); ++i) {
                QVERIFY(int(i) < t.fieldCount());
                QVERIFY(test::uyar(t.field(int(i)).type, g.konumlu[i]));
            }
            // The demo store has rows for every list except the stock movements
            // of an arbitrary item.
            if (ad != QStringLiteral("StokHareketVer"))
                QVERIFY2(t.rowCount() > 0, qPrintable(ad + QStringLiteral(": boş tablo")));
            break;
        }
        }
    }
};

QTEST_MAIN(TestKatalog)
#include "test_katalog.moc"

// Fifty clients at once, each looping add, tick and send for its own
// customer: no basket line is lost or doubled and no call fails.
// PELMORA_ESZAMANLI_SN sets the duration in seconds (default 30).

#include "sunucudestek.h"

#include <QElapsedTimer>
#include <QSet>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

using pel::wire::ListBuilder;

namespace {

constexpr int kIstemci = 50;

struct IstemciSonucu {
    QSet<qint64> eklenen;   // basket lines this client added
    QSet<qint64> secilen;   // lines ticked when an order was sent
    int siparis = 0;        // orders the server accepted
    QStringList hatalar;
};

pel::TableData tablo(pelsrv::HttpIstemci& c, const char* metot, qint32 a, qint32 b = -1)
{
    ListBuilder p;
    p.add(a);
    if (b >= 0)
        p.add(b);
    return pel::wire::readTable(test::cagir(c, QString::fromLatin1(metot), p, 1)[0]);
}

QSet<qint64> degerler(const pel::TableData& t, const char* sutun, const char* secim = nullptr)
{
    QSet<qint64> s;
    const int c = test::sutun(t, sutun);
    const int k = secim ? test::sutun(t, secim) : -1;
    for (int r = 0; r < t.rowCount(); ++r)
        if (k < 0 || t.intAt(r, k) == 1)
            s.insert(t.intAt(r, c));
    return s;
}

} // namespace

class TestEszamanli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void elliIstemciSatirKaybetmez()
    {
        bool ok = false;
        int sure = qEnvironmentVariableIntValue("PELMORA_ESZAMANLI_SN", &ok);
        if (!ok || sure <= 0)
            sure = 30;
        QElapsedTimer saat;
        saat.start();
        test::TestSunucusu s(test::kTestStokAdedi, 64);
        qInfo("sunucu hazır: %lld ms", saat.elapsed());
        QList<TSonucBilgisi> kimlikler;
        for (int i = 0; i < kIstemci; ++i) {
            pelsrv::CihazKaydi k;
            k.bilgisayarId = QStringLiteral("YUK-%1").arg(i);
            k.kullanici = QStringLiteral("YUK%1").arg(i);
            k.sifre = QStringLiteral("1");
            k.cariKod = QStringLiteral("120.01.%1").arg(11 + i, 3, 10, QChar(u'0'));
            s.magaza().cihazKaydet(k);
        }
        auto c = s.istemci();
        std::map<int, QSet<qint64>> ilkSepet, ilkSecili, ilkSiparis;
        for (int i = 0; i < kIstemci; ++i) {
            TSonucBilgisi k = test::kimlikAl(*c, QStringLiteral("YUK-%1").arg(i));
            QVERIFY(k.Varmi());
            kimlikler << k;
            const pel::TableData sepet = tablo(*c, "SepetVer2", k.CARINO());
            ilkSepet[i] = degerler(sepet, "SIRANO");
            ilkSecili[i] = degerler(sepet, "SIRANO", "SEC");
            ilkSiparis[i] = degerler(tablo(*c, "OncekiSiparisler", k.CARINO()), "IDNO");
        }

        qInfo("başlangıç durumu: %lld ms", saat.elapsed());
        std::vector<IstemciSonucu> sonuclar(kIstemci);
        const auto bitis = std::chrono::steady_clock::now() + std::chrono::seconds(sure);
        std::vector<std::thread> isler;
        for (int i = 0; i < kIstemci; ++i) {
            isler.emplace_back([&, i] {
                IstemciSonucu& r = sonuclar[size_t(i)];
                const TSonucBilgisi& k = kimlikler[i];
                pelsrv::HttpIstemci ist(QStringLiteral("127.0.0.1"), s.sunucu().port(), 60);
                QSet<qint64> bilinen = ilkSepet[i];
                QSet<qint64> secili = ilkSecili[i];
                int tur = 0;
                try {
                    while (std::chrono::steady_clock::now() < bitis && r.hatalar.size() < 5) {
                        for (int n = 0; n < 2; ++n) {
                            ListBuilder p;
                            p.add(k).add(k.CARINO()).add(qint32(1 + (i * 7 + tur * 3 + n) % 400)).add(u"").add(u"");
                            p.add(double(1 + n)).add(18.0).add(10.0).add(0.0).add(k.Sirano()).add(qint32(0));
                            p.add(0.0).add(0.0).add(0.0);
                            if (test::cagir(ist, QStringLiteral("SepetEkle2"), p, 1)[0].toInt32() != 1)
                                r.hatalar << QStringLiteral("SepetEkle2 reddedildi");
                        }
                        const QSet<qint64> simdi = degerler(tablo(ist, "SepetVer2", k.CARINO()), "SIRANO");
                        QSet<qint64> yeni = simdi - bilinen;
                        if (yeni.size() != 2)
                            r.hatalar << QStringLiteral("yeni satır sayısı %1").arg(yeni.size());
                        r.eklenen += yeni;
                        bilinen += yeni;
                        if (!yeni.isEmpty()) {
                            const qint64 sec = *std::min_element(yeni.begin(), yeni.end());
                            ListBuilder p;
                            p.add(qint32(sec)).add(qint32(1));
                            test::cagir(ist, QStringLiteral("SepetSecimGuncelle"), p, 0);
                            secili.insert(sec);
                        }
                        ListBuilder p;
                        p.add(k).add(k.CARINO()).add(qint32(1)).add(qint32(3)).add(u"yük").add(k.Sirano()).add(qint32(6));
                        if (test::cagir(ist, QStringLiteral("SiparisKaydet"), p, 1)[0].toBool()) {
                            ++r.siparis;
                            r.secilen += secili;
                            bilinen -= secili;
                            secili.clear();
                        } else {
                            r.hatalar << QStringLiteral("SiparisKaydet false");
                        }
                        ++tur;
                    }
                } catch (const pel::Error& e) {
                    r.hatalar << QStringLiteral("tur %1: %2").arg(tur).arg(e.text());
                }
            });
        }
        for (auto& t : isler)
            t.join();

        qInfo("istemciler bitti: %lld ms", saat.elapsed());
        int toplamSiparis = 0;
        for (int i = 0; i < kIstemci; ++i) {
            const IstemciSonucu& r = sonuclar[size_t(i)];
            QVERIFY2(r.hatalar.isEmpty(), qPrintable(QStringLiteral("istemci %1: %2").arg(i).arg(r.hatalar.join(u"; "))));
            QVERIFY(r.siparis > 0);
            toplamSiparis += r.siparis;
            const qint32 carino = kimlikler[i].CARINO();
            const QSet<qint64> sepet = degerler(tablo(*c, "SepetVer2", carino), "SIRANO");
            QSet<qint64> yeniSiparisler = degerler(tablo(*c, "OncekiSiparisler", carino), "IDNO") - ilkSiparis[i];
            QCOMPARE(yeniSiparisler.size(), r.siparis);
            QList<qint64> siparisSatirlari;
            for (qint64 idno : yeniSiparisler) {
                const pel::TableData t = tablo(*c, "SiparisAyrintisi2", carino, qint32(idno));
                const int col = test::sutun(t, "SIRANO");
                for (int row = 0; row < t.rowCount(); ++row)
                    siparisSatirlari << t.intAt(row, col);
            }
            const QSet<qint64> siparisteki(siparisSatirlari.begin(), siparisSatirlari.end());
            QCOMPARE(qsizetype(siparisteki.size()), siparisSatirlari.size()); // no line twice
            QCOMPARE(siparisteki, r.secilen);                                  // every ticked line ordered once
            QVERIFY((siparisteki & sepet).isEmpty());                          // and gone from the basket
            const QSet<qint64> beklenenSepet = (ilkSepet[i] + r.eklenen) - r.secilen;
            QCOMPARE(sepet, beklenenSepet);                                     // the rest stays
        }
        qInfo("%d istemci, %d sn, %d sipariş, denetim bitti: %lld ms", kIstemci, sure, toplamSiparis,
              saat.elapsed());
    }
};

QTEST_MAIN(TestEszamanli)
#include "test_eszamanli.moc"

// Background tasks and the hand-offs to the user-interface thread.

#include "kutukaydi.h"
#include "sahtesunucu.h"

#include "remote/baglanti.h"
#include "remote/beklesinu.h"
#include "remote/proxim.h"

#include <QSemaphore>
#include <QTest>

#include <mutex>

namespace {
bool arayuzde()
{
    return QThread::currentThread() == qApp->thread();
}

// Records events from any thread in order.
struct Gunluk {
    std::mutex m;
    QStringList olaylar;
    void yaz(const QString& s)
    {
        std::lock_guard lock(m);
        olaylar << s;
    }
    QStringList al()
    {
        std::lock_guard lock(m);
        return olaylar;
    }
};
} // namespace

class TestBeklesinu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { SetVarsayilanHataIsleyici({}); }

    void completionRunsOnUserInterfaceThreadAfterWorker()
    {
        auto g = std::make_shared<Gunluk>();
        auto basla = std::make_shared<QSemaphore>();
        bool bitti = false;
        auto gorev = Async([g, basla] {
            basla->acquire(); // runs only after Await has returned
            g->yaz(arayuzde() ? u"işçi:arayüz"_qs : u"işçi:havuz"_qs);
        });
        gorev->Await([g, &bitti] {
            g->yaz(arayuzde() ? u"bitiş:arayüz"_qs : u"bitiş:havuz"_qs);
            bitti = true;
        });
        g->yaz(u"Await döndü"_qs);
        basla->release();
        QTRY_VERIFY(bitti);
        QCOMPARE(g->al(), QStringList({u"Await döndü"_qs, u"işçi:havuz"_qs, u"bitiş:arayüz"_qs}));
    }

    void escapedErrorIsRaisedAfterCompletion()
    {
        auto g = std::make_shared<Gunluk>();
        SetVarsayilanHataIsleyici([g](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const pel::Error& h) {
                g->yaz(u"hata:"_qs + h.text() + (arayuzde() ? u"@arayüz"_qs : u"@havuz"_qs));
            }
        });
        Async([] { throw pel::Error(u"Sunucu yanıt vermedi"_qs); })->Await([g] {
            g->yaz(u"bitiş"_qs);
        });
        QTRY_COMPARE(g->al().size(), 2);
        QCOMPARE(g->al(),
                 QStringList({u"bitiş"_qs, u"hata:Sunucu yanıt vermedi@arayüz"_qs}));
    }

    void defaultHandlerShowsTheErrorText()
    {
        KutuKaydi kutular;
        bool bitti = false;
        Async([] { throw pel::Error(u"Beklenmeyen durum"_qs); })->Await([&] { bitti = true; });
        QTRY_COMPARE(kutular.kutular().size(), 1);
        QVERIFY(bitti);
        QCOMPARE(kutular.kutular()[0].metin, u"Beklenmeyen durum"_qs);
        QVERIFY(kutular.kutular()[0].arayuzde);
    }

    void threeTasksAtOnceEachOnItsOwnClone()
    {
        SahteSunucu s;
        // Each call waits until all three are in, so they must run at once.
        QSemaphore icerde;
        s.setIsleyici([&](const SahteIstek& i) {
            if (i.metot() != "KayanYaziGetir")
                return SahteSunucu::elSikisma(i);
            icerde.release();
            if (!icerde.tryAcquire(3, 60000))
                return SahteCevap{500, "{\"error\":\"birlikte gelmediler\"}", Ariza::Yok};
            icerde.release(3);
            return SahteSunucu::sonuc("\"bağlantı " + QByteArray::number(i.baglanti) + "\"");
        });
        s.baslat();
        TBaglanti ana;
        ana.SetParam(u"HostName", u"127.0.0.1"_qs);
        ana.SetParam(u"Port", QString::number(s.port()));

        struct Kapanis {
            bool hata = false;
            QString metin;
            bool bitti = false;
        };
        std::vector<std::shared_ptr<Kapanis>> kapanislar;
        for (int n = 0; n < 3; ++n) {
            auto k = std::make_shared<Kapanis>();
            kapanislar.push_back(k);
            std::shared_ptr<TBaglanti> klon = ana.CloneConnection();
            Async([k, klon] {
                try {
                    if (!BaglantiKontrol(*klon, 0)) {
                        k->hata = true;
                        return;
                    }
                    TServerMethods1Client c(klon->DBXConnection());
                    k->metin = c.KayanYaziGetir();
                    klon->Close();
                } catch (const pel::Error&) {
                    k->hata = true;
                }
            })->Await([k] { k->bitti = arayuzde(); });
        }
        for (const auto& k : kapanislar)
            QTRY_VERIFY_WITH_TIMEOUT(k->bitti, 90000);
        QSet<QString> metinler;
        for (const auto& k : kapanislar) {
            QVERIFY(!k->hata);
            metinler.insert(k->metin);
        }
        QCOMPARE(metinler.size(), 3); // three different TCP connections
        QCOMPARE(s.baglantiSayisi(), 3);
        QVERIFY(!ana.Connected());
    }

    void synchronousHandOffWaitsForUserInterfaceThread()
    {
        struct Kapanis {
            bool arayuzdeCalisti = false;
            bool gordu = false;
            QString hata;
            bool bitti = false;
        };
        auto k = std::make_shared<Kapanis>();
        Async([k] {
            Senkronize([k] { k->arayuzdeCalisti = arayuzde(); });
            k->gordu = k->arayuzdeCalisti; // the hand-off has run when Senkronize returns
            try {
                Senkronize([] { throw pel::Error(u"arayüzde hata"_qs); });
            } catch (const pel::Error& e) {
                k->hata = e.text();
            }
        })->Await([k] { k->bitti = true; });
        QTRY_VERIFY(k->bitti);
        QVERIFY(k->gordu);
        QCOMPARE(k->hata, u"arayüzde hata"_qs);

        bool dogrudan = false;
        Senkronize([&] { dogrudan = true; }); // on the user-interface thread: at once
        QVERIFY(dogrudan);
    }

    void queuedHandOffDoesNotBlockTheWorker()
    {
        auto g = std::make_shared<Gunluk>();
        auto izin = std::make_shared<QSemaphore>();
        bool bitti = false;
        Async([g, izin] {
            Kuyruga([g] { g->yaz(arayuzde() ? u"kuyruk:arayüz"_qs : u"kuyruk:havuz"_qs); });
            g->yaz(u"işçi devam"_qs);
            izin->acquire();
        })->Await([&] { bitti = true; });
        QTRY_COMPARE(g->al().size(), 2);
        QCOMPARE(g->al(), QStringList({u"işçi devam"_qs, u"kuyruk:arayüz"_qs}));
        izin->release();
        QTRY_VERIFY(bitti);
    }

    void fireAndForgetThreadHandsResultOver()
    {
        QString sonuc;
        bool arayuzdeTeslim = false;
        ArkaPlanIsiBaslat<QString>(
            [] { return arayuzde() ? u"yanlış"_qs : u"vadesi geçmiş bakiye"_qs; },
            [&](QString s) {
                sonuc = s;
                arayuzdeTeslim = arayuzde();
            });
        QTRY_COMPARE(sonuc, u"vadesi geçmiş bakiye"_qs);
        QVERIFY(arayuzdeTeslim);
    }
};

QTEST_MAIN(TestBeklesinu)
#include "test_beklesinu.moc"

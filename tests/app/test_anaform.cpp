// The main window's frame, sign-in handling, user-kind rules and closing.

#include "app/anaform.h"
#include "platform/grid/widgets.h"
#include "platform/pagecontrol.h"
#include "platform/seams.h"
#include "signin/girisform.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
struct Answer {
    int result = 1;
    int kind = 0;
    QString externalIp = QStringLiteral("85.105.1.2");
};

// Signs in without a server: the login's dialog is answered by filling the
// identity record the way the server would.
pel::ModalHook loginAs(const Answer& a, QStringList& dialogs)
{
    return [a, &dialogs](QDialog& d) {
        if (auto* g = qobject_cast<Tgirisform*>(&d)) {
            g->Bilgim->SetADI(QStringLiteral("MUSTERI"));
            g->Bilgim->SetCariAdi(QStringLiteral("YILDIZ OTOMOTİV"));
            g->Bilgim->SetSaticiAdi(QStringLiteral("AHMET KAYA"));
            g->Bilgim->SetSaticiTelefon(QStringLiteral("0532 111 22 33"));
            g->Bilgim->SetSaticiMail(QStringLiteral("ahmet@pelmora.com.tr"));
            g->Bilgim->SetMusteriTipi(a.kind);
            g->Bilgim->SetDisip(a.externalIp);
            return a.result;
        }
        auto* l = d.findChild<QLabel*>(QStringLiteral("mesaj"));
        dialogs << (l ? l->text() : d.windowTitle());
        return dialogs.last().startsWith(QStringLiteral("Programdan")) ? 7 : 1;
    };
}
} // namespace

class TestAnaForm : public QObject {
    Q_OBJECT
    QStringList dialogs;
    QList<int> ends;
private Q_SLOTS:
    void init()
    {
        dialogs.clear();
        ends.clear();
        pel::setEndProcessHook([this](int c) { ends << c; });
    }
    void cleanup()
    {
        pel::setModalHook({});
        pel::setEndProcessHook({});
    }

    void frameAndStartUp()
    {
        pel::setModalHook(loginAs({}, dialogs));
        TForm1 f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Pelmora Otomotiv B2B Programı"));
        QCOMPARE(pel::messageFontPointSize(), 15);
        QCOMPARE(f.sPageControl1->visibleCaptions(),
                 (QStringList{"Stok Listesi", "Sepet", "Önceki Siparişler", "Cari Ekstre",
                              "Yeni Stoklar", "Kampanyalı Stoklar", "Duyurular", "Bakiyeler"}));
        QCOMPARE(f.sPageControl1->activePage(), f.sstoklistesi);
        QCOMPARE(f.RxGIFAnimator2->height(), 0);
        QCOMPARE(f.Panel5->height(), 40);
        QCOMPARE(f.Genelmenu->actions().size(), 9); // five items, four separators
        QCOMPARE(f.M1->text(), QStringLiteral("Mail Gönder"));
        QCOMPARE(f.N4->text(), QStringLiteral("Şifre Değiştirme İsteği"));
        QCOMPARE(f.G1->text(), QStringLiteral("Çıkış"));
        QCOMPARE(f.R1->text(), QStringLiteral("Raporlar"));
        QVERIFY(!f.R1->isVisible());
        QVERIFY(f.musteritus->isHidden());
        QStringList legend;
        for (auto* l : f.Panel3->findChildren<QLabel*>())
            if (!l->text().isEmpty())
                legend << l->text();
        QCOMPARE(legend, (QStringList{"Durum Açıklaması:    ", " Stok mevcut  ", " Telefon Açınız  ",
                                      " Yolda  ", " Tedarik Sürecinde ", " Özel Sipariş  ", " Yok  "}));
        // the start-up batch fills the header from the identity record
        QSignalSpy done(&f, &TForm1::AcilisBitti);
        QVERIFY(done.wait(5000));
        QCOMPARE(f.kullanicilbl->text(), QStringLiteral("MUSTERI"));
        QCOMPARE(f.cariadilbl->text(), QStringLiteral("YILDIZ OTOMOTİV"));
        QCOMPARE(f.saticilbl->text(), QStringLiteral("AHMET KAYA Telefonu: 0532 111 22 33 email: "
                                                     "ahmet@pelmora.com.tr"));
        QVERIFY(ends.isEmpty());
    }

    void userKindRules_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("otherCustomer");
        QTest::addColumn<bool>("reports");
        QTest::addColumn<bool>("campaignTab");
        QTest::newRow("0 ordinary") << 0 << false << false << true;
        QTest::newRow("1 representative") << 1 << true << true << true;
        QTest::newRow("2 representative with prices") << 2 << true << true << true;
        QTest::newRow("3 restricted") << 3 << false << false << true;
        QTest::newRow("4 without campaigns") << 4 << false << false << false;
    }
    void userKindRules()
    {
        QFETCH(int, kind);
        QFETCH(bool, otherCustomer);
        QFETCH(bool, reports);
        QFETCH(bool, campaignTab);
        Answer a;
        a.kind = kind;
        pel::setModalHook(loginAs(a, dialogs));
        TForm1 f;
        QCOMPARE(!f.musteritus->isHidden(), otherCustomer);
        QCOMPARE(f.R1->isVisible(), reports);
        QCOMPARE(f.sPageControl1->visibleCaptions().contains(QStringLiteral("Kampanyalı Stoklar")),
                 campaignTab);
    }

    void leavingTheLoginEndsTheProcess_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("externalIp");
        QTest::newRow("login not confirmed") << 2 << "85.105.1.2";
        QTest::newRow("no external address") << 1 << "   ";
    }
    void leavingTheLoginEndsTheProcess()
    {
        QFETCH(int, result);
        QFETCH(QString, externalIp);
        Answer a;
        a.result = result;
        a.externalIp = externalIp;
        pel::setModalHook(loginAs(a, dialogs));
        bool ended = false;
        try {
            TForm1 f;
        } catch (const pel::ProcessEnded& e) {
            ended = e.code == 0;
        }
        QVERIFY(ended);
    }

    void closeQuestion()
    {
        pel::setModalHook(loginAs({}, dialogs));
        TForm1 f;
        f.show();
        QVERIFY(!f.close()); // answered No (7): the window stays
        QCOMPARE(dialogs, QStringList{"Programdan Çıkmak İstiyor musunuz ?"});
        QVERIFY(f.isVisible());
        QVERIFY(ends.isEmpty());
        pel::setModalHook([](QDialog&) { return 6; }); // Yes
        f.G1->trigger();
        QCOMPARE(ends, QList<int>{0});
    }

    void countedCaptions()
    {
        QCOMPARE(TForm1::SayiliBaslik(12, QStringLiteral("Stok Listesi")),
                 QStringLiteral("12=Stok Listesi"));
        QCOMPARE(TForm1::SayiliBaslik(0, QStringLiteral("Sepet")), QStringLiteral("0=Sepet"));
    }

    void webSiteItem()
    {
        pel::setModalHook(loginAs({}, dialogs));
        QStringList opened;
        pel::setShellOpenHook([&](const QString& t, const QString&) {
            opened << t;
            return true;
        });
        TForm1 f;
        f.WebSitesi1->trigger();
        pel::setShellOpenHook({});
        QCOMPARE(f.WebSitesi1->text(), WebAdresiMetni());
        QCOMPARE(opened, QStringList{QStringLiteral("http://") + WebAdresiMetni() + "/"});
    }

private:
    static QString WebAdresiMetni();
};

#include "remote/sunucuayarlari.h"
QString TestAnaForm::WebAdresiMetni()
{
    return WebAdresi;
}

QTEST_MAIN(TestAnaForm)
#include "test_anaform.moc"

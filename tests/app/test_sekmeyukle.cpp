// The tab-load pattern against the reference server in this process.

#include "app/anaform.h"
#include "platform/grid/gridview.h"
#include "platform/grid/widgets.h"
#include "platform/localtable.h"
#include "platform/seams.h"
#include "remote/proxim.h"
#include "server/sunucudestek.h"
#include "signin/girisform.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestSekmeYukle : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TestSunucusu> server;
    QStringList dialogs;
    TSonucBilgisi musteri;

    std::unique_ptr<TForm1> mainWindow()
    {
        pel::setModalHook([this](QDialog& d) {
            if (auto* g = qobject_cast<Tgirisform*>(&d)) {
                g->Bilgim->Kopyala(musteri);
                g->Bilgim->SetDisip(QStringLiteral("127.0.0.1"));
                return 1;
            }
            auto* l = d.findChild<QLabel*>(QStringLiteral("mesaj"));
            dialogs << (l ? l->text() : d.windowTitle());
            return 1;
        });
        auto f = std::make_unique<TForm1>();
        f->bagc.SetParam(u"HostName", QStringLiteral("127.0.0.1"));
        f->bagc.SetParam(u"Port", QString::number(server->sunucu().port()));
        return f;
    }

private Q_SLOTS:
    void initTestCase()
    {
        server = std::make_unique<test::TestSunucusu>();
        auto c = server->istemci();
        musteri = test::kimlikAl(*c, QStringLiteral("DEMO-MUSTERI"));
        SetBaglantiBeklemeKancasi([](std::chrono::milliseconds) {});
    }
    void cleanupTestCase()
    {
        pel::setModalHook({});
        SetBaglantiBeklemeKancasi({});
        server.reset();
    }
    void init() { dialogs.clear(); }

    void fillsTheListWhileTheGridIsDetached()
    {
        auto f = mainWindow();
        pel::LocalTable liste;
        pel::GridView grid;
        grid.setColumns({pel::GridColumn("IDNO", "IDNO"), pel::GridColumn("TUTAR", "TUTAR")});
        grid.setTable(&liste);
        auto* gif = f->gifoncekiler;
        bool done = false, ok = false;
        bool detachedWhileLoading = false;
        const qint32 carino = musteri.CARINO();
        TForm1::TSekmeYukleme y;
        y.grid = &grid;
        y.liste = &liste;
        y.gif = gif;
        y.cagri = [carino](TServerMethods1Client& c) {
            const pel::TableData* rows = c.OncekiSiparisler(carino);
            return rows ? *rows : pel::TableData();
        };
        y.bitti = [&](bool basarili) {
            done = true;
            ok = basarili;
        };
        f->SekmeYukle(y);
        detachedWhileLoading = !grid.isAttached() && !grid.isEnabled() && !gif->isHidden();
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QVERIFY(detachedWhileLoading);
        QVERIFY(ok);
        QVERIFY(grid.isAttached());
        QVERIFY(grid.isEnabled());
        QVERIFY(gif->isHidden());
        QVERIFY(liste.isOpen());
        QVERIFY(liste.rowCount() > 0); // the demo customer has previous orders
        QCOMPARE(grid.rowCount(), liste.rowCount());
        for (int c = 0; c < liste.fieldCount(); ++c)
            if (liste.field(c).type == pel::FieldType::Double)
                QCOMPARE(liste.displayFormat(c), QStringLiteral("#,###,##0.00"));
        QVERIFY(dialogs.isEmpty());
    }

    void failureShowsTheConnectionMessage()
    {
        auto f = mainWindow();
        f->bagc.SetParam(u"Port", QStringLiteral("1"));
        pel::LocalTable liste;
        pel::GridView grid;
        grid.setTable(&liste);
        bool done = false, ok = true;
        TForm1::TSekmeYukleme y;
        y.grid = &grid;
        y.liste = &liste;
        y.gif = f->gifekstre;
        y.cagri = [](TServerMethods1Client&) { return pel::TableData(); };
        y.bitti = [&](bool basarili) {
            done = true;
            ok = basarili;
        };
        f->SekmeYukle(y);
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QVERIFY(!ok);
        QCOMPARE(dialogs.size(), 12); // eleven plain boxes, then the completion's message
        QCOMPARE(dialogs.last(), QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QVERIFY(grid.isAttached());
        QVERIFY(f->gifekstre->isHidden());
    }

    void serverErrorCountsAsFailureWhenAsked()
    {
        auto f = mainWindow();
        pel::LocalTable liste;
        pel::GridView grid;
        grid.setTable(&liste);
        bool done = false, ok = true;
        TForm1::TSekmeYukleme y;
        y.grid = &grid;
        y.liste = &liste;
        y.cagri = [](TServerMethods1Client&) -> pel::TableData {
            throw pel::Error(QStringLiteral("Stok bulunamadı"));
        };
        y.bitti = [&](bool basarili) {
            done = true;
            ok = basarili;
        };
        f->SekmeYukle(y);
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QVERIFY(!ok);
        QCOMPARE(dialogs, QStringList{"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"});
    }
};

QTEST_MAIN(TestSekmeYukle)
#include "test_sekmeyukle.moc"

#include "platform/pagecontrol.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

using pel::PageControl;

class TestPageControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabsWrapIntoRows()
    {
        PageControl pc;
        QList<QWidget*> pages;
        for (int i = 0; i < 8; ++i) {
            pages << new QWidget;
            pages.last()->setObjectName(QStringLiteral("p%1").arg(i));
            pc.addPage(pages.last(), QStringLiteral("Sayfa %1").arg(i));
        }
        pc.resize(500, 400); // four 120 px tabs a row
        pc.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pc));
        QCOMPARE(pc.tabButton(pages[0])->size(), QSize(120, 45));
        QCOMPARE(pc.tabButton(pages[3])->y(), 0);
        QCOMPARE(pc.tabButton(pages[4])->pos(), QPoint(0, 45));
        pc.resize(1000, 400); // all in one row
        QCOMPARE(pc.tabButton(pages[7])->pos(), QPoint(840, 0));
    }

    void pagesTellEveryShowAndHide()
    {
        PageControl pc;
        auto* a = new QWidget;
        auto* b = new QWidget;
        auto* c = new QWidget;
        pc.addPage(a, "A");
        pc.addPage(b, "B");
        pc.addPage(c, "C");
        QCOMPARE(pc.activePage(), a); // the first page starts active
        QSignalSpy shown(&pc, &PageControl::pageShown);
        QSignalSpy hidden(&pc, &PageControl::pageHidden);
        pc.tabButton(b)->click();
        pc.tabButton(a)->click();
        pc.tabButton(b)->click();
        QCOMPARE(shown.count(), 3);
        QCOMPARE(hidden.count(), 3);
        QCOMPARE(shown.last().at(0).value<QWidget*>(), b);
        QCOMPARE(hidden.last().at(0).value<QWidget*>(), a);
        pc.tabButton(b)->click(); // the active one again: nothing new
        QCOMPARE(shown.count(), 3);
    }

    void hiddenTabLeavesTheRow()
    {
        PageControl pc;
        auto* a = new QWidget;
        auto* k = new QWidget;
        pc.addPage(a, "Stok Listesi");
        pc.addPage(k, "Kampanyalı Stoklar");
        pc.setActivePage(k);
        pc.setTabVisible(k, false);
        QCOMPARE(pc.visibleCaptions(), QStringList{"Stok Listesi"});
        QCOMPARE(pc.activePage(), a);
        pc.setActivePage(k); // cannot be chosen
        QCOMPARE(pc.activePage(), a);
        pc.setCaption(a, "12=Stok Listesi");
        QCOMPARE(pc.caption(a), QStringLiteral("12=Stok Listesi"));
    }
};

QTEST_MAIN(TestPageControl)
#include "test_pagecontrol.moc"

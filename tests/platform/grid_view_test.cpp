#include "grid_testdata.h"

#include "platform/numberformat.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace pel;
using namespace gridtest;

namespace {
QAction* findAction(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* sub = findAction(a->menu(), text))
                return sub;
    }
    return nullptr;
}

// Types text key by key (QTest::keyClicks takes ASCII only).
void typeText(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

QStringList keysShown(const GridView& g)
{
    QStringList out;
    const int key = g.table()->fieldIndex(u"STOK_STOKNO");
    for (int r = 0; r < g.rowCount(); ++r) {
        const int tr = g.model()->tableRow(r);
        out << (tr < 0 ? QStringLiteral("-") : g.table()->value(tr, key).toString());
    }
    return out;
}

struct Fixture {
    LocalTable table;
    GridView grid;
    Fixture()
    {
        fill(table);
        grid.setLocale(QLocale::c());
        grid.setColumns(stockColumns());
        grid.setKeyField(QStringLiteral("STOK_STOKNO"));
        grid.setTable(&table);
        grid.setFooterVisible(true);
        grid.resize(930, 400);
    }
};
} // namespace

class GridViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnChooserListsExactlyTheOfferedColumns()
    {
        Fixture f;
        const QStringList expected{QStringLiteral("Açıklama"), QStringLiteral("Marka"),
                                   QStringLiteral("Fiyat"),    QStringLiteral("Miktar"),
                                   QStringLiteral("SATICI"),   QStringLiteral("Tarih")};
        QCOMPARE(f.grid.columnChooserCaptions(), expected);
        QDialog* dlg = f.grid.showColumnChooser();
        QVERIFY(dlg);
        auto* list = dlg->findChild<QListWidget*>(QStringLiteral("columnChooserList"));
        QVERIFY(list);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, expected);
        // ticking an entry shows the column, unticking hides it
        const int tarih = f.grid.columnIndex(u"colTARIH");
        QVERIFY(!f.grid.isColumnVisible(tarih));
        QCOMPARE(list->item(5)->checkState(), Qt::Unchecked);
        list->item(5)->setCheckState(Qt::Checked);
        QVERIFY(f.grid.isColumnVisible(tarih));
        list->item(1)->setCheckState(Qt::Unchecked);
        QVERIFY(!f.grid.isColumnVisible(f.grid.columnIndex(u"MARKA")));
        // the header menu opens the same chooser
        std::unique_ptr<QMenu> menu(f.grid.createHeaderMenu(f.grid.columnIndex(u"ADI")));
        QVERIFY(findAction(menu.get(), QStringLiteral("Sütun Seçici")));
        dlg->close();
    }

    void incrementalSearch_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expectedKey");
        QTest::addColumn<QString>("searchText");
        QTest::newRow("first letter") << "ADI" << "f" << 10 << "f";
        QTest::newRow("narrowing keeps moving") << "ADI" << "fa" << 11 << "fa";
        QTest::newRow("turkish letters") << "ADI" << "FİL" << 12 << "FİL";
        QTest::newRow("dotted i typed in lower case") << "ADI" << "fil" << 12 << "fil";
        QTest::newRow("no match keeps row and text") << "ADI" << "frx" << 10 << "fr";
        QTest::newRow("other column") << "MARKA" << "tr" << 13 << "tr";
        QTest::newRow("wraps to the top") << "ADI" << "am" << 14 << "am";
    }
    void incrementalSearch()
    {
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(int, expectedKey);
        QFETCH(QString, searchText);
        Fixture f;
        f.grid.show();
        f.grid.setFocusedColumn(f.grid.columnIndex(column));
        typeText(f.grid.tableView(), typed);
        QCOMPARE(f.grid.keyValue().toInt(), expectedKey);
        QCOMPARE(f.grid.searchText(), searchText);
        QCOMPARE(f.table.fieldValue(u"STOK_STOKNO").toInt(), expectedKey);
    }

    void searchStartsOverAfterNavigation()
    {
        Fixture f;
        f.grid.show();
        f.grid.setFocusedColumn(f.grid.columnIndex(u"ADI"));
        QVERIFY(f.grid.incrementalSearch(QStringLiteral("fren d")));
        QCOMPARE(f.grid.keyValue().toInt(), 13);
        QTest::keyClick(f.grid.tableView(), Qt::Key_Up);
        QCOMPARE(f.grid.searchText(), QString());
        QVERIFY(f.grid.incrementalSearch(QStringLiteral("a")));
        QCOMPARE(f.grid.keyValue().toInt(), 14);
    }

    void textOrderFollowsTheTurkishAlphabet_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("case") << "fren" << "FREN" << 0;
        QTest::newRow("ç after c") << "ÇEKİÇ" << "CIVATA" << 1;
        QTest::newRow("ç before d") << "ÇEKİÇ" << "DİSK" << -1;
        QTest::newRow("ı before i") << "KILIF" << "KİLİT" << -1;
        QTest::newRow("İ before r") << "FİLTRE" << "FREN" << -1;
        QTest::newRow("ş after s") << "ŞAFT" << "SUBAP" << 1;
        QTest::newRow("ü before v") << "ÜST" << "VANA" << -1;
        QTest::newRow("prefix first") << "FREN" << "FREN DİSKİ" << -1;
        QTest::newRow("digits before letters") << "10W40" << "A" << -1;
    }
    void textOrderFollowsTheTurkishAlphabet()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(compareText(a, b), expected);
        QCOMPARE(compareText(b, a), -expected);
    }

    void headerFilterAndClearingIt()
    {
        Fixture f;
        const int marka = f.grid.columnIndex(u"MARKA");
        QCOMPARE(f.grid.filterValues(marka),
                 (QStringList{QString(), QStringLiteral("BOSCH"), QStringLiteral("OSRAM"),
                              QStringLiteral("TRW")}));
        std::unique_ptr<QMenu> values(f.grid.createFilterMenu(marka));
        QAction* bosch = findAction(values.get(), QStringLiteral("BOSCH"));
        QVERIFY(bosch);
        QVERIFY(findAction(values.get(), QStringLiteral("(Boş)")));
        bosch->trigger();
        QCOMPARE(keysShown(f.grid), (QStringList{"10", "12"}));
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"MIKTAR")), QStringLiteral("7"));
        // the value list of another column offers only what the filter lets through
        QCOMPARE(f.grid.filterValues(f.grid.columnIndex(u"SATICI")),
                 QStringList{QStringLiteral("Ahmet")});
        f.grid.setFilter(f.grid.columnIndex(u"ADI"), {QStringLiteral("FİLTRE YAĞ")});
        QCOMPARE(keysShown(f.grid), QStringList{"12"});
        QCOMPARE(f.grid.keyValue().toInt(), 12);

        std::unique_ptr<QMenu> menu(f.grid.createHeaderMenu(marka));
        QAction* clear = findAction(menu.get(), QStringLiteral("Tüm Filtreleri Temizle"));
        QVERIFY(clear);
        QVERIFY(clear->isEnabled());
        clear->trigger();
        QCOMPARE(f.grid.rowCount(), 5);
        QVERIFY(!f.grid.model()->hasFilters());
        // the focused row stays the one it was
        QCOMPARE(f.grid.keyValue().toInt(), 12);

        f.grid.setFilter(marka, {QString()});
        QCOMPARE(keysShown(f.grid), QStringList{"14"});
        f.grid.clearFilter(marka);
        QCOMPARE(f.grid.rowCount(), 5);
    }

    void sortingByTextAndNumberAndForbidding()
    {
        Fixture f;
        f.grid.sortBy(f.grid.columnIndex(u"FIYAT"), Qt::DescendingOrder);
        QCOMPARE(keysShown(f.grid), (QStringList{"14", "13", "10", "12", "11"}));
        f.grid.sortBy(f.grid.columnIndex(u"ADI"));
        QCOMPARE(keysShown(f.grid), (QStringList{"14", "11", "12", "10", "13"}));
        // nulls first, then the rest; equal values keep the table order
        f.grid.sortBy(f.grid.columnIndex(u"MARKA"));
        QCOMPARE(keysShown(f.grid), (QStringList{"14", "10", "12", "11", "13"}));
        std::unique_ptr<QMenu> menu(f.grid.createHeaderMenu(0));
        QVERIFY(findAction(menu.get(), QStringLiteral("Artan Sırala")));

        f.grid.setSortingAllowed(false);
        QCOMPARE(keysShown(f.grid), (QStringList{"10", "11", "12", "13", "14"}));
        f.grid.sortBy(f.grid.columnIndex(u"FIYAT"));
        QCOMPARE(f.grid.model()->sortColumn(), -1);
        std::unique_ptr<QMenu> noSort(f.grid.createHeaderMenu(0));
        QVERIFY(!findAction(noSort.get(), QStringLiteral("Artan Sırala")));
        QVERIFY(findAction(noSort.get(), QStringLiteral("Sütun Seçici")));
    }

    void footerCountSumAndAverage()
    {
        Fixture f;
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"MARKA")), QStringLiteral("4"));
        QCOMPARE(f.grid.footerValue(f.grid.columnIndex(u"MIKTAR")).toDouble(), 22.0);
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"MIKTAR")), QStringLiteral("22"));
        QCOMPARE(f.grid.footerValue(f.grid.columnIndex(u"FIYAT")).toDouble(), 265.3);
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"FIYAT")), QStringLiteral("265.30"));
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"ADI")), QString());

        // a value change updates the footer
        f.table.setValue(0, 4, 12);
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"MIKTAR")), QStringLiteral("32"));

        // an empty table: count 0, no average
        f.table.emptyTable();
        QCOMPARE(f.grid.rowCount(), 0);
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"MARKA")), QStringLiteral("0"));
        QCOMPARE(f.grid.footerText(f.grid.columnIndex(u"FIYAT")), QString());
        QVERIFY(!f.grid.hasFocusedRow());
        QVERIFY(!f.grid.keyValue().isValid());
    }

    void groupRowsWithGroupFootersAndCollapse()
    {
        Fixture f;
        const int seller = f.grid.columnIndex(u"SATICI");
        const int price = f.grid.columnIndex(u"FIYAT");
        const int qty = f.grid.columnIndex(u"MIKTAR");
        f.grid.groupBy(seller);
        QCOMPARE(f.grid.model()->groupCount(), 2);
        QCOMPARE(keysShown(f.grid), (QStringList{"-", "10", "12", "14", "-", "-", "11", "13", "-"}));
        QCOMPARE(f.grid.cellText(0, 0), QStringLiteral("SATICI : Ahmet"));
        QCOMPARE(f.grid.model()->groupFooterValue(0, price).toDouble(), 1011.25);
        QCOMPARE(f.grid.cellText(4, price), QStringLiteral("1,011.25"));
        QCOMPARE(f.grid.cellText(4, qty), QStringLiteral("3"));
        QCOMPARE(f.grid.cellText(8, price), QStringLiteral("315.25"));
        QCOMPARE(f.grid.cellText(8, qty), QStringLiteral("2"));
        // group footers stay visible when collapsed
        f.grid.collapseAll();
        QCOMPARE(keysShown(f.grid), (QStringList{"-", "-", "-", "-"}));
        QCOMPARE(f.grid.cellText(1, price), QStringLiteral("1,011.25"));
        QCOMPARE(f.grid.footerText(qty), QStringLiteral("22"));
        f.grid.expandAll();
        QCOMPARE(f.grid.rowCount(), 9);
        // sorting works inside the groups
        f.grid.sortBy(price, Qt::DescendingOrder);
        QCOMPARE(keysShown(f.grid), (QStringList{"-", "14", "10", "12", "-", "-", "13", "11", "-"}));
        f.grid.groupBy(-1);
        QCOMPARE(f.grid.rowCount(), 5);
    }

    void weightsShareTheWidthAndScreenTestFitsContent()
    {
        LocalTable t;
        fill(t);
        GridView g;
        g.setColumns({GridColumn("a", "MARKA").tag(1), GridColumn("b", "ADI").tag(2),
                      GridColumn("c", "FIYAT").amount().tag(3),
                      GridColumn("d", "SATICI").tag(0).visible(false)});
        g.setTable(&t);
        g.resize(930, 300);
        g.show();
        g.distributeWidths(false);
        QCOMPARE(g.columnWidth(0), 150);
        QCOMPARE(g.columnWidth(1), 300);
        QCOMPARE(g.columnWidth(2), 450);

        g.setScreenWidthSource([] { return 1152; });
        g.distributeWidths(true);
        const int fitA = g.columnWidth(0), fitB = g.columnWidth(1);
        g.bestFitAll();
        QCOMPARE(g.columnWidth(0), fitA);
        QCOMPARE(g.columnWidth(1), fitB);
        QVERIFY(fitB != 300);
        // the longest description sets its width
        QVERIFY(fitB >= g.tableView()->fontMetrics().horizontalAdvance(QStringLiteral("FREN BALATASI")));

        g.setScreenWidthSource([] { return 1153; });
        g.distributeWidths(true);
        QCOMPARE(g.columnWidth(1), 300);

        // the rule runs on resize
        g.setWidthRule(WidthRule::Weighted);
        g.resize(630, 300);
        QCOMPARE(g.columnWidth(0), 100);
        QCOMPARE(g.columnWidth(2), 300);
        g.setColumnVisible(3, true); // weight 0 takes no width
        QCOMPARE(g.columnWidth(3), 0);
        QCOMPARE(g.columnWidth(1), 200);
    }

    void drawnCellGetsSelectionAndPosition()
    {
        LocalTable t;
        fill(t);
        struct Call {
            int position;
            bool selected;
            QColor background;
            int key;
        };
        std::vector<Call> calls;
        GridView g;
        g.setColumns({GridColumn("no", "STOK_STOKNO"),
                      GridColumn("price", {}).caption(QStringLiteral("Fiyat Bilgisi"))
                          .draw([&calls](const DrawCell& c) {
                              calls.push_back({c.position, c.selected, c.background,
                                               c.row.value(u"STOK_STOKNO").toInt()});
                              c.painter.fillRect(c.rect, c.background);
                          })});
        g.setTable(&t);
        g.resize(400, 300);
        g.setFocusedRow(1);
        QPixmap pm(g.size());
        g.render(&pm);
        std::map<int, Call> byPos;
        for (const Call& c : calls)
            byPos.insert_or_assign(c.position, c);
        QCOMPARE(byPos.size(), size_t(5));
        const GridStyle st = GridStyle::standard();
        QCOMPARE(byPos.at(0).selected, false);
        QCOMPARE(byPos.at(0).background, st.evenRow);
        QCOMPARE(byPos.at(1).selected, true);
        QCOMPARE(byPos.at(1).background, st.selection);
        QCOMPARE(byPos.at(2).background, st.evenRow);
        QCOMPARE(byPos.at(3).background, st.oddRow);
        QCOMPARE(byPos.at(3).key, 13);
        QCOMPARE(st.evenRow, QColor(239, 239, 239));
        QCOMPARE(st.oddRow, QColor(Qt::white));
        // positions follow the view, not the table
        calls.clear();
        g.sortBy(0, Qt::DescendingOrder);
        g.render(&pm);
        for (const Call& c : calls)
            if (c.position == 0)
                QCOMPARE(c.key, 14);
    }

    void stylesHaveTheSharedColours()
    {
        const GridStyle s = GridStyle::standard();
        QCOMPARE(s.header, QColor(0, 52, 120));
        QCOMPARE(s.headerText, QColor(Qt::white));
        QVERIFY(s.headerBold);
        QCOMPARE(s.selection, QColor(210, 240, 249));
        QCOMPARE(s.selectionText, QColor(Qt::black));
        QCOMPARE(s.indicator, QColor(66, 66, 66));
        const GridStyle h = GridStyle::named(QStringLiteral("basliksecim"));
        QCOMPARE(h.selection, s.header);
        QCOMPARE(h.selectionText, s.headerText);
        QCOMPARE(GridStyle::named(QStringLiteral("beyazcizgi")).gridLine, QColor(Qt::white));
        GridStyle slate;
        slate.header = QColor(61, 65, 74);
        GridStyle::registerStyle(QStringLiteral("hareket"), slate);
        QCOMPARE(GridStyle::named(QStringLiteral("hareket")).header, QColor(61, 65, 74));
        QCOMPARE(GridStyle::named(QStringLiteral("yok")).header, s.header);
        // a view paints with its own style
        LocalTable t;
        fill(t);
        GridView g;
        g.setColumns({GridColumn("a", "ADI")});
        g.setTable(&t);
        g.setGridStyle(h);
        g.resize(300, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QTableView* v = g.tableView();
        const QImage shot = v->viewport()->grab().toImage();
        const QRect sel = v->visualRect(g.model()->index(0, 0));
        QCOMPARE(QColor(shot.pixel(sel.left() + 2, sel.top() + 2)), s.header);
        const QRect odd = v->visualRect(g.model()->index(1, 0));
        QCOMPARE(QColor(shot.pixel(odd.left() + 2, odd.top() + 2)), QColor(Qt::white));
        const QImage head = v->horizontalHeader()->grab().toImage();
        QCOMPARE(QColor(head.pixel(2, 2)), s.header);
        const QImage ind = v->verticalHeader()->grab().toImage();
        QCOMPARE(QColor(ind.pixel(1, 1)), s.indicator);
    }

    void detachedLoadResetsOnce()
    {
        Fixture f;
        QSignalSpy resets(f.grid.model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(f.grid.model(), &QAbstractItemModel::rowsInserted);
        f.grid.setFilter(f.grid.columnIndex(u"MARKA"), {QStringLiteral("TRW")});
        f.grid.beginUpdate();
        f.grid.detach();
        QVERIFY(f.grid.updatesSuspended());
        QCOMPARE(f.grid.rowCount(), 0);
        resets.clear();
        // the worker's filling reaches no view
        for (int i = 0; i < 50; ++i) {
            const int r = f.table.appendRow();
            f.table.setValue(r, 0, 100 + i);
            f.table.setValue(r, 2, QStringLiteral("TRW"));
        }
        f.table.first();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserts.count(), 0);
        f.grid.attach();
        f.grid.endUpdate();
        QCOMPARE(resets.count(), 1);
        QVERIFY(!f.grid.updatesSuspended());
        QCOMPARE(f.grid.rowCount(), 51);
        QCOMPARE(f.grid.keyValue().toInt(), 13);
        // a load with the table's updates held back is one reset too
        resets.clear();
        f.grid.clearAllFilters();
        resets.clear();
        f.table.disableControls();
        f.table.emptyTable();
        for (int i = 0; i < 20; ++i)
            f.table.setValue(f.table.appendRow(), 0, i);
        f.table.first();
        f.table.enableControls();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(f.grid.rowCount(), 20);
        QCOMPARE(f.grid.keyValue().toInt(), 0);
    }

    void focusSignalsAndDoubleClick()
    {
        Fixture f;
        f.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
        QSignalSpy focus(&f.grid, &GridView::focusedRowChanged);
        QSignalSpy dbl(&f.grid, &GridView::rowDoubleClicked);
        f.grid.setFocusedRow(3);
        QCOMPARE(focus.count(), 1);
        QCOMPARE(focus.at(0).at(0).toInt(), 3);
        QCOMPARE(f.table.currentRow(), 3);
        // the table's cursor moves the focus too
        f.table.setCurrentRow(1);
        QCOMPARE(f.grid.focusedTableRow(), 1);
        QTableView* v = f.grid.tableView();
        const QModelIndex idx = f.grid.model()->index(2, f.grid.columnIndex(u"ADI"));
        const QPoint p = v->visualRect(idx).center();
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(dbl.count(), 1);
        QCOMPARE(f.grid.keyValue().toInt(), 12);
        QCOMPARE(f.grid.focusedColumn(), f.grid.columnIndex(u"ADI"));
        // read-only: no editor opens
        QVERIFY(!v->indexWidget(idx));
        QCOMPARE(v->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(v->selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void headerClicksSortAndOpenTheValueList()
    {
        Fixture f;
        f.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
        QHeaderView* h = f.grid.tableView()->horizontalHeader();
        const int price = f.grid.columnIndex(u"FIYAT");
        const int x = h->sectionViewportPosition(price);
        const QPoint caption(x + 10, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, caption);
        QCOMPARE(f.grid.model()->sortColumn(), price);
        QCOMPARE(f.grid.model()->sortOrder(), Qt::AscendingOrder);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, caption);
        QCOMPARE(f.grid.model()->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(keysShown(f.grid).front(), QStringLiteral("14"));
        // the filter button opens the value list and does not sort
        const int marka = f.grid.columnIndex(u"MARKA");
        const QPoint button(h->sectionViewportPosition(marka) + h->sectionSize(marka) - 5,
                            h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, button);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QAction* trw = findAction(popup, QStringLiteral("TRW"));
        QVERIFY(trw);
        trw->trigger();
        popup->close();
        QCOMPARE(keysShown(f.grid), QStringList{"13"});
        QCOMPARE(f.grid.model()->sortColumn(), price);
        // forbidden sorting: header clicks do nothing
        f.grid.clearAllFilters();
        f.grid.setSortingAllowed(false);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, caption);
        QCOMPARE(f.grid.model()->sortColumn(), -1);
    }

    void iconsByValueWithANeutralIconForEmpty()
    {
        auto solid = [](QColor c) {
            QPixmap pm(16, 16);
            pm.fill(c);
            return QIcon(pm);
        };
        LocalTable t;
        t.setFields({{QStringLiteral("DURUM"), FieldType::Int32}});
        for (int v : {1, 2, -1, 9})
            v < 0 ? void(t.appendRow()) : t.setValue(t.appendRow(), 0, v);
        GridView g;
        g.setColumns({GridColumn("d", "DURUM").kind(ColumnKind::Icon).width(60)
                          .icon(1, solid(Qt::green)).icon(2, solid(Qt::red))
                          .emptyIcon(solid(Qt::blue))});
        g.setTable(&t);
        g.setRowHeight(30);
        g.resize(200, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QImage shot = g.tableView()->viewport()->grab().toImage();
        auto colourAt = [&](int row) {
            const QRect r = g.tableView()->visualRect(g.model()->index(row, 0));
            return QColor(shot.pixel(r.center()));
        };
        QCOMPARE(g.tableView()->rowHeight(0), 30);
        QCOMPARE(colourAt(0), QColor(Qt::green));
        QCOMPARE(colourAt(1), QColor(Qt::red));
        QCOMPARE(colourAt(2), QColor(Qt::blue));
        // a value without an icon of its own shows the neutral one
        QCOMPARE(colourAt(3), QColor(Qt::blue));
        // without a neutral icon such cells stay empty
        GridColumn plain("d", "DURUM");
        plain.kind(ColumnKind::Icon).width(60).icon(1, solid(Qt::green));
        g.setColumns({plain});
        const QImage shot2 = g.tableView()->viewport()->grab().toImage();
        const QRect r2 = g.tableView()->visualRect(g.model()->index(2, 0));
        QCOMPARE(QColor(shot2.pixel(r2.center())), QColor(239, 239, 239));
        const QRect r0 = g.tableView()->visualRect(g.model()->index(0, 0));
        QCOMPARE(QColor(shot2.pixel(r0.center())), QColor(Qt::green));
    }

    void groupRowDoubleClickTogglesAndLoadsRepaintOnce()
    {
        Fixture f;
        f.grid.groupBy(f.grid.columnIndex(u"SATICI"));
        f.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
        QTableView* v = f.grid.tableView();
        QSignalSpy dbl(&f.grid, &GridView::rowDoubleClicked);
        const QPoint header0 = v->visualRect(f.grid.model()->index(0, 2)).center();
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, header0);
        QCOMPARE(dbl.count(), 0);
        QVERIFY(!f.grid.model()->group(0).expanded);
        QCOMPARE(f.grid.rowCount(), 6);
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, header0);
        QCOMPARE(f.grid.rowCount(), 9);

        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    ++paints;
                return false;
            }
        } counter;
        // the scroll bar stays, so that the load changes no geometry
        v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QCoreApplication::processEvents();
        v->viewport()->installEventFilter(&counter);
        f.grid.beginUpdate();
        f.grid.detach();
        for (int i = 0; i < 30; ++i) {
            const int r = f.table.appendRow();
            f.table.setValue(r, 5, QStringLiteral("Zeynep"));
            QCoreApplication::processEvents();
        }
        QCOMPARE(counter.paints, 0);
        f.grid.attach();
        f.grid.endUpdate();
        QTRY_VERIFY(counter.paints >= 1);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 1);
        QCOMPARE(f.grid.model()->groupCount(), 3);
    }

    void fillWidthUsesTheWholeView()
    {
        Fixture f;
        f.grid.setIndicatorVisible(false);
        f.grid.setWidthRule(WidthRule::FillWidth);
        f.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
        auto total = [&] {
            int sum = 0;
            for (int c : f.grid.visibleColumns())
                sum += f.grid.columnWidth(c);
            return sum;
        };
        QCOMPARE(total(), f.grid.tableView()->viewport()->width());
        f.grid.resize(600, 300);
        QTRY_COMPARE(total(), f.grid.tableView()->viewport()->width());
        f.grid.setColumnVisible(f.grid.columnIndex(u"TARIH"), true);
        QCOMPARE(total(), f.grid.tableView()->viewport()->width());
        f.grid.setRowHeight(40);
        f.grid.setHeaderHeight(40);
        QCOMPARE(f.grid.tableView()->rowHeight(0), 40);
        QCOMPARE(f.grid.tableView()->horizontalHeader()->height(), 40);
    }

    void unboundColumnsAndCaptions()
    {
        Fixture f;
        QCOMPARE(f.grid.model()->headerData(f.grid.columnIndex(u"SATICI"), Qt::Horizontal,
                                            Qt::DisplayRole).toString(),
                 QStringLiteral("SATICI"));
        QCOMPARE(f.grid.cellText(0, f.grid.columnIndex(u"FIYAT")), QStringLiteral("120.50"));
        f.grid.sortBy(f.grid.columnIndex(u"FIYAT"));
        f.grid.setColumnCaption(f.grid.columnIndex(u"FIYAT"), QStringLiteral("Birim Fiyat"));
        QCOMPARE(f.grid.column(f.grid.columnIndex(u"FIYAT")).headerText(), QStringLiteral("Birim Fiyat"));
        QCOMPARE(f.grid.model()->sortColumn(), f.grid.columnIndex(u"FIYAT"));
        f.grid.sortBy(-1);
        // a field that the table lacks shows nothing and breaks nothing
        GridView g;
        g.setColumns({GridColumn("x", "YOK"), GridColumn("a", "ADI")});
        g.setTable(&f.table);
        QCOMPARE(g.cellText(0, 0), QString());
        QCOMPARE(g.cellText(0, 1), QStringLiteral("FREN BALATASI"));
        g.sortBy(0);
        QCOMPARE(g.model()->sortColumn(), -1);
        // a closed table shows no rows
        f.table.close();
        QCOMPARE(g.rowCount(), 0);
        QCOMPARE(f.grid.rowCount(), 0);
    }
};

QTEST_MAIN(GridViewTest)
#include "grid_view_test.moc"

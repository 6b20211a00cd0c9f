#pragma once
// GridView: the read-only data grid of every screen, bound to a LocalTable.
//
// A screen only declares its columns and connects its handlers:
//
//   auto* grid = new pel::GridView(this);
//   grid->setColumns({
//       pel::GridColumn("cxGrid1DBTableView1DURUM", "DURUM").caption("Durum")
//           .kind(pel::ColumnKind::Icon).icon(1, varIcon).emptyIcon(bosIcon).centred().tag(1),
//       pel::GridColumn("cxGrid1DBTableView1ADI", "ADI").caption("Açıklama")
//           .kind(pel::ColumnKind::WrappedText).tag(3),
//       pel::GridColumn("cxGrid1DBTableView1OEM1", "OEM1").caption("Oem1").visible(false)
//           .footer(pel::Summary::Count),
//       pel::GridColumn("cxGrid1DBTableView1STOK_STOKNO", "STOK_STOKNO").technical(),
//       pel::GridColumn("cxGrid1DBTableView1NETFIYAT", "NETFIYAT").caption("Net Fiyatı")
//           .amount().footer(pel::Summary::Sum).tag(2),
//       pel::GridColumn("cxGrid1DBTableView1FiyatBilgisi", {}).caption("Fiyat Bilgisi")
//           .draw([](const pel::DrawCell& c) { ... }),
//   });
//   grid->setKeyField("STOK_STOKNO");
//   grid->setTable(&stok);
//   connect(grid, &pel::GridView::rowDoubleClicked, this, &TForm1::cxGrid1DBTableView1DblClick);
//   grid->setWidthRule(pel::WidthRule::WeightedScreenTest); // or distributeWidths() in a handler
//
// Background loads: detach() and beginUpdate() before the worker fills the
// table, attach() and endUpdate() in the completion; the grid then resets
// and repaints once.
//
// Users get the header menu (sort, filter, grouping, column chooser, best
// fit), filter buttons in the headers, incremental search by typing in the
// focused column, a footer row, group rows with always-visible group
// footers, and "Excel Kaydet" through saveExcelAs().

#include "platform/grid/gridcolumn.h"
#include "platform/grid/gridmodel.h"
#include "platform/grid/gridstyle.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QMenu;
class QTableView;
class QDialog;

namespace pel {

class LocalTable;
class GridTableView;
class GridFooterBar;
class GridHeader;
class GridRowIndicator;

// Width handling on resize.
enum class WidthRule {
    Keep,               // declared widths; the user sizes columns
    FillWidth,          // visible columns scaled to fill the grid's width
    Weighted,           // widths shared out by weight (Tag)
    WeightedScreenTest, // by weight, or best fit on a narrow screen
};

class GridView : public QWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    // Columns in declaration order; the visible ones show in that order.
    void setColumns(std::vector<GridColumn> columns);
    int columnCount() const;
    const GridColumn& column(int c) const;
    int columnIndex(QStringView name) const; // by column name or bound field
    void setColumnVisible(int c, bool visible);
    bool isColumnVisible(int c) const;
    void setColumnWidth(int c, int width);
    int columnWidth(int c) const;
    void setColumnCaption(int c, const QString& caption);
    std::vector<int> visibleColumns() const; // in display order

    // Table binding.
    void setTable(LocalTable* table);
    LocalTable* table() const;
    void detach();         // show nothing, ignore the table until attach()
    void attach();         // bind again; one reset
    bool isAttached() const;
    void beginUpdate();    // suspend drawing (nests)
    void endUpdate();      // resume drawing and repaint once
    bool updatesSuspended() const { return m_updateLock > 0; }

    // Options.
    void setRowHeight(int px);
    int rowHeight() const { return m_rowHeight; }
    void setHeaderHeight(int px);
    int headerHeight() const { return m_headerHeight; }
    void setIndicatorVisible(bool on);
    void setHeaderVisible(bool on);
    void setFooterVisible(bool on);
    bool isFooterVisible() const;
    void setSortingAllowed(bool on);
    bool sortingAllowed() const { return m_sortingAllowed; }
    void setFilterButtons(bool on);
    bool filterButtons() const { return m_filterButtons; }
    void setGroupingAllowed(bool on) { m_groupingAllowed = on; }
    void setGridStyle(const GridStyle& style);
    const GridStyle& gridStyle() const { return m_style; }
    void setKeyField(const QString& field) { m_keyField = field; }
    void setLocale(const QLocale& locale);

    // Focus.
    int focusedRow() const;      // view row or -1
    int focusedTableRow() const; // table row of the focused data row or -1
    int focusedColumn() const;   // column index or -1
    bool hasFocusedRow() const { return focusedTableRow() >= 0; }
    QVariant keyValue() const;   // key field of the focused row
    void setFocusedRow(int viewRow);
    void setFocusedColumn(int c);
    bool focusTableRow(int tableRow);
    int rowCount() const; // view rows, group rows included
    QString cellText(int viewRow, int c) const;

    // Sorting, filtering, grouping.
    void sortBy(int c, Qt::SortOrder order = Qt::AscendingOrder); // c -1: table order
    void setFilter(int c, const QStringList& allowed);
    void clearFilter(int c);
    void clearAllFilters();
    QStringList filterValues(int c) const;
    void groupBy(int c); // -1: no grouping
    void collapseAll();
    void expandAll();

    // Incremental search: appends `typed` to the search text and focuses the
    // next row whose focused-column text starts with it. False when none.
    bool incrementalSearch(const QString& typed);
    QString searchText() const { return m_search; }
    void clearSearch() { m_search.clear(); }

    // Footer.
    QString footerText(int c) const;
    QVariant footerValue(int c) const;

    // Widths.
    void bestFit(int c);
    void bestFitAll();
    void fillWidth();
    void distributeWidths(bool screenTest); // width share by weight (Tag)
    void setWidthRule(WidthRule rule);
    WidthRule widthRule() const { return m_widthRule; }
    void setScreenWidthSource(std::function<int()> source) { m_screenWidth = std::move(source); }
    int screenWidth() const;

    // Menus and tool windows (returned objects are owned by the caller / the view).
    QMenu* createHeaderMenu(int c, QWidget* parent = nullptr);
    QMenu* createFilterMenu(int c, QWidget* parent = nullptr);
    QDialog* showColumnChooser();
    QStringList columnChooserCaptions() const; // the offered columns, in column order

    // Excel.
    bool exportExcel(const QString& path, QString* error = nullptr) const;
    // "Excel Kaydet": asks for a file (filter "Excel|*.xls*") and writes it;
    // returns the written path or an empty string.
    QString saveExcelAs(QWidget* parent = nullptr);

    GridModel* model() const { return m_model; }
    QTableView* tableView() const;

Q_SIGNALS:
    void rowDoubleClicked();
    void focusedRowChanged(int tableRow);
    void resized();

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class GridTableView;
    friend class GridDelegate;
    friend class GridFooterBar;
    friend class GridHeader;
    friend class GridRowIndicator;
    void applyWidthRule();
    void applySpans();
    void applyStyle();
    void onCurrentChanged(const QModelIndex& now, const QModelIndex& before);
    void onTableCurrentRow(int row);
    void showHeaderMenu(int section, const QPoint& globalPos);
    void showFilterMenu(int section, const QPoint& globalPos);
    void beforeReset();
    void afterReset();
    int contentWidth(int c) const;

    GridModel* m_model;
    GridTableView* m_view;
    GridHeader* m_header;
    GridRowIndicator* m_indicator;
    GridFooterBar* m_footer;
    GridStyle m_style;
    QString m_keyField;
    QString m_search;
    int m_rowHeight = 24;
    int m_headerHeight = 28;
    int m_updateLock = 0;
    bool m_sortingAllowed = true;
    bool m_filterButtons = true;
    bool m_groupingAllowed = true;
    bool m_searching = false;
    bool m_syncing = false;
    bool m_applyingWidths = false;
    int m_keepTableRow = -1;
    int m_keepColumn = -1;
    WidthRule m_widthRule = WidthRule::Keep;
    std::function<int()> m_screenWidth;
    QPointer<QDialog> m_chooser;
};

} // namespace pel

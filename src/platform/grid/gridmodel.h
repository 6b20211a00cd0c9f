#pragma once
// The item model behind a GridView: the rows of a LocalTable that pass the
// column filters, in sort order, optionally grouped by one column with a
// header row and a footer row per group. Rows are mapped by index vectors;
// no cell value is copied.

#include "platform/grid/gridcolumn.h"
#include "platform/localtable.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QPointer>
#include <QSet>

#include <map>
#include <vector>

namespace pel {


// Text order of the grids: case-insensitive in the Turkish alphabet
// (a b c ç d e f g ğ h ı i j k l m n o ö p r s ş t u ü v y z).
int compareText(QStringView a, QStringView b);
// Case-insensitive prefix test for incremental search; the dotted and
// dotless i are the same letter here.
bool startsWithText(QStringView text, QStringView prefix);

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class RowKind { Data, GroupHeader, GroupFooter };

    struct Group {
        QString text;   // display text of the group value
        int first = 0;  // first position in the sorted row list
        int count = 0;  // rows in the group
        bool expanded = true;
    };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // Columns.
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return m_columns; }
    const GridColumn& column(int c) const { return m_columns[size_t(c)]; }
    void setColumnTitle(int c, const QString& title); // keeps sort, filters and groups
    int columnIndex(QStringView name) const; // by column name or bound field; -1
    int fieldOf(int c) const { return m_fieldOf[size_t(c)]; } // table field or -1

    // Source table. While detached the model shows no rows and ignores the table.
    void setTable(LocalTable* table);
    LocalTable* table() const { return m_table; }
    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }
    const QLocale& locale() const { return m_locale; }
    void setLocale(const QLocale& l);

    // Sorting (column -1: table order).
    void sortBy(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    bool canSort(int column) const;

    // Filters: the display texts a column lets through.
    void setFilter(int column, const QStringList& allowed);
    void clearFilter(int column);
    void clearAllFilters();
    bool isFiltered(int column) const { return m_filters.count(column) > 0; }
    bool hasFilters() const { return !m_filters.empty(); }
    QStringList filterValues(int column) const; // distinct texts, in value order
    QStringList activeFilter(int column) const;

    // Grouping (column -1: none).
    void groupBy(int column);
    int groupColumn() const { return m_groupColumn; }
    int groupCount() const { return int(m_groups.size()); }
    const Group& group(int g) const { return m_groups[size_t(g)]; }
    void setGroupExpanded(int g, bool expanded);
    void setAllExpanded(bool expanded);

    // Mapping.
    RowKind rowKind(int viewRow) const;
    int tableRow(int viewRow) const;    // -1 for group rows
    int groupOf(int viewRow) const;     // group index, or -1 without grouping
    int viewRow(int tableRow) const;    // -1 when not shown
    int visibleDataRows() const { return int(m_order.size()); }
    const std::vector<int>& orderedRows() const { return m_order; } // rows passing the filters, sorted

    // Texts and summaries.
    QString cellText(int tableRow, int column) const;
    double cellNumber(int tableRow, int column) const;
    bool cellIsNull(int tableRow, int column) const;
    QString numberPattern(int column) const; // column format, else the field's
    QString groupHeaderText(int g) const;
    // Footer over all shown rows, or one group's rows.
    QVariant summaryValue(int column, const SummaryDef& s, int first, int count) const;
    QString summaryText(int column, const SummaryDef& s, int first, int count) const;
    QString footerText(int column) const;
    QVariant footerValue(int column) const;
    QString groupFooterText(int g, int column) const;
    QVariant groupFooterValue(int g, int column) const;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    void summariesChanged();

private:
    struct Item {
        RowKind kind;
        int index; // position in m_order, or group index
    };
    void connectTable();
    void disconnectTable();
    void rebuild(); // inside a model reset
    void resetAll();
    void resolveFields();
    void onRowsAppended(int first, int last);
    void onValueChanged(int row, int col);
    bool passes(int row) const;
    bool passesExcept(int row, int skipColumn) const;
    bool simpleOrder() const;
    int compareRows(int a, int b, int field) const;

    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldOf;
    QPointer<LocalTable> m_table;
    bool m_attached = true;
    std::vector<QMetaObject::Connection> m_conns;
    QLocale m_locale;

    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::map<int, QSet<QString>> m_filters;
    int m_groupColumn = -1;
    QSet<QString> m_collapsed; // group texts collapsed

    std::vector<int> m_order;  // table rows shown, sorted
    std::vector<int> m_viewOf; // table row -> view row, -1 hidden
    std::vector<Group> m_groups;
    std::vector<Item> m_items; // only with grouping
};

} // namespace pel

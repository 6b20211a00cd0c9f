#include "platform/grid/gridmodel.h"

#include "platform/localtable.h"
#include "platform/numberformat.h"

#include <algorithm>

namespace pel {

QVariant GridRow::value(QStringView field) const
{
    const int c = m_table ? m_table->fieldIndex(field) : -1;
    return c < 0 ? QVariant() : m_table->value(m_row, c);
}

QString GridRow::text(QStringView field) const
{
    const int c = m_table ? m_table->fieldIndex(field) : -1;
    return c < 0 ? QString() : m_table->displayText(m_row, c);
}

double GridRow::number(QStringView field) const
{
    const int c = m_table ? m_table->fieldIndex(field) : -1;
    return c < 0 ? 0.0 : m_table->data().numberAt(m_row, c);
}

namespace {
// Collation weight of one character; `lenient` merges the four i's.
inline uint32_t weight(QChar ch, bool lenient)
{
    const char16_t c = ch.unicode();
    if (c < 128) {
        if (c >= u'a' && c <= u'z')
            return 0x10000 + uint32_t(c - u'a' + 1) * 4;
        if (c >= u'A' && c <= u'Z') {
            if (c == u'I' && !lenient)
                return 0x10000 + uint32_t(u'i' - u'a' + 1) * 4 - 2; // dotless
            return 0x10000 + uint32_t(c - u'A' + 1) * 4;
        }
        return c;
    }
    auto letter = [](char16_t base, int shift) {
        return 0x10000 + uint32_t(base - u'a' + 1) * 4 + uint32_t(shift);
    };
    switch (c) {
    case u'ç': case u'Ç': return letter(u'c', 2);
    case u'ğ': case u'Ğ': return letter(u'g', 2);
    case u'ı': return lenient ? letter(u'i', 0) : letter(u'i', -2);
    case u'İ': return letter(u'i', 0);
    case u'ö': case u'Ö': return letter(u'o', 2);
    case u'ş': case u'Ş': return letter(u's', 2);
    case u'ü': case u'Ü': return letter(u'u', 2);
    default: break;
    }
    const QString dec = ch.decomposition();
    if (!dec.isEmpty() && dec.at(0).unicode() < 128 && dec.at(0).isLetter())
        return weight(dec.at(0), lenient);
    if (ch.isLetter()) {
        const QChar low = ch.toLower();
        return 0x20000 + low.unicode();
    }
    return 0x20000 + c;
}
} // namespace

int compareText(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar x = a[i], y = b[i];
        if (x == y)
            continue;
        const uint32_t wx = weight(x, false), wy = weight(y, false);
        if (wx != wy)
            return wx < wy ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool startsWithText(QStringView text, QStringView prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (text[i] != prefix[i] && weight(text[i], true) != weight(prefix[i], true))
            return false;
    return true;
}

int GridModel::compareRows(int a, int b, int field) const
{
    const TableData& d = m_table->data();
    if (storageOf(d.field(field).type) != Storage::Text)
        return d.compare(a, b, field);
    const bool na = d.isNull(a, field), nb = d.isNull(b, field);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    return compareText(d.textAt(a, field), d.textAt(b, field));
}

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel()
{
    disconnectTable();
}

void GridModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    m_sortColumn = -1;
    m_groupColumn = -1;
    m_filters.clear();
    resolveFields();
    rebuild();
    endResetModel();
    Q_EMIT summariesChanged();
}

void GridModel::setColumnTitle(int c, const QString& title)
{
    if (c < 0 || c >= columnCount())
        return;
    m_columns[size_t(c)].title = title;
    Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
}

int GridModel::columnIndex(QStringView name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (QStringView(m_columns[i].name).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (!m_columns[i].field.isEmpty() &&
            QStringView(m_columns[i].field).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void GridModel::setTable(LocalTable* table)
{
    disconnectTable();
    m_table = table;
    if (m_attached)
        connectTable();
    resetAll();
}

void GridModel::setAttached(bool attached)
{
    if (attached == m_attached)
        return;
    m_attached = attached;
    if (attached)
        connectTable();
    else
        disconnectTable();
    resetAll();
}

void GridModel::setLocale(const QLocale& l)
{
    m_locale = l;
    resetAll();
}

void GridModel::connectTable()
{
    disconnectTable();
    if (!m_table)
        return;
    LocalTable* t = m_table;
    m_conns.push_back(connect(t, &LocalTable::contentReset, this, &GridModel::resetAll));
    m_conns.push_back(connect(t, &LocalTable::rowsAppended, this, &GridModel::onRowsAppended));
    m_conns.push_back(connect(t, &LocalTable::valueChanged, this, &GridModel::onValueChanged));
    m_conns.push_back(connect(t, &QObject::destroyed, this, [this] {
        m_conns.clear();
        m_table = nullptr;
        resetAll();
    }));
}

void GridModel::disconnectTable()
{
    for (auto& c : m_conns)
        disconnect(c);
    m_conns.clear();
}

void GridModel::resolveFields()
{
    m_fieldOf.assign(m_columns.size(), -1);
    if (!m_table)
        return;
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (!m_columns[i].field.isEmpty())
            m_fieldOf[i] = m_table->fieldIndex(m_columns[i].field);
}

void GridModel::resetAll()
{
    beginResetModel();
    resolveFields();
    rebuild();
    endResetModel();
    Q_EMIT summariesChanged();
}

bool GridModel::simpleOrder() const
{
    return m_sortColumn < 0 && m_filters.empty() && m_groupColumn < 0;
}

bool GridModel::passesExcept(int row, int skipColumn) const
{
    for (const auto& [col, allowed] : m_filters)
        if (col != skipColumn && !allowed.contains(cellText(row, col)))
            return false;
    return true;
}

bool GridModel::passes(int row) const
{
    return passesExcept(row, -1);
}

void GridModel::rebuild()
{
    m_order.clear();
    m_viewOf.clear();
    m_groups.clear();
    m_items.clear();
    if (!m_attached || !m_table || !m_table->isOpen())
        return;
    const TableData& d = m_table->data();
    const int n = d.rowCount();
    m_order.reserve(size_t(n));
    if (m_filters.empty()) {
        for (int r = 0; r < n; ++r)
            m_order.push_back(r);
    } else {
        for (int r = 0; r < n; ++r)
            if (passes(r))
                m_order.push_back(r);
    }
    const int gf = m_groupColumn >= 0 ? fieldOf(m_groupColumn) : -1;
    const int sf = m_sortColumn >= 0 ? fieldOf(m_sortColumn) : -1;
    const bool desc = m_sortOrder == Qt::DescendingOrder;
    if (gf >= 0 || sf >= 0) {
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            if (gf >= 0) {
                const int c = compareRows(a, b, gf);
                if (c != 0)
                    return c < 0;
            }
            if (sf >= 0) {
                const int c = compareRows(a, b, sf);
                return desc ? c > 0 : c < 0;
            }
            return false;
        });
    }
    m_viewOf.assign(size_t(n), -1);
    if (gf < 0) {
        for (size_t i = 0; i < m_order.size(); ++i)
            m_viewOf[size_t(m_order[i])] = int(i);
        return;
    }
    for (size_t i = 0; i < m_order.size(); ++i) {
        if (i == 0 || compareRows(m_order[i - 1], m_order[i], gf) != 0) {
            Group g;
            g.first = int(i);
            g.text = cellText(m_order[i], m_groupColumn);
            g.expanded = !m_collapsed.contains(g.text);
            m_groups.push_back(g);
        }
        ++m_groups.back().count;
    }
    m_items.reserve(m_order.size() + 2 * m_groups.size());
    for (size_t g = 0; g < m_groups.size(); ++g) {
        const Group& grp = m_groups[g];
        m_items.push_back({RowKind::GroupHeader, int(g)});
        if (grp.expanded)
            for (int i = grp.first; i < grp.first + grp.count; ++i) {
                m_viewOf[size_t(m_order[size_t(i)])] = int(m_items.size());
                m_items.push_back({RowKind::Data, i});
            }
        m_items.push_back({RowKind::GroupFooter, int(g)});
    }
}

void GridModel::onRowsAppended(int first, int last)
{
    if (!simpleOrder() || int(m_order.size()) != first || !m_table || !m_table->isOpen()) {
        resetAll();
        return;
    }
    beginInsertRows({}, first, last);
    m_viewOf.resize(size_t(last + 1), -1);
    for (int r = first; r <= last; ++r) {
        m_viewOf[size_t(r)] = int(m_order.size());
        m_order.push_back(r);
    }
    endInsertRows();
    Q_EMIT summariesChanged();
}

void GridModel::onValueChanged(int row, int col)
{
    bool structural = m_groupColumn >= 0;
    if (m_sortColumn >= 0 && fieldOf(m_sortColumn) == col)
        structural = true;
    for (const auto& f : m_filters)
        if (fieldOf(f.first) == col || fieldOf(f.first) < 0)
            structural = true;
    if (structural) {
        resetAll();
        return;
    }
    const int vr = viewRow(row);
    if (vr >= 0)
        Q_EMIT dataChanged(index(vr, 0), index(vr, columnCount() - 1));
    Q_EMIT summariesChanged();
}

bool GridModel::canSort(int column) const
{
    return column >= 0 && column < columnCount() && fieldOf(column) >= 0;
}

void GridModel::sortBy(int column, Qt::SortOrder order)
{
    if (column >= 0 && !canSort(column))
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    resetAll();
}

void GridModel::setFilter(int column, const QStringList& allowed)
{
    if (column < 0 || column >= columnCount())
        return;
    m_filters[column] = QSet<QString>(allowed.begin(), allowed.end());
    resetAll();
}

void GridModel::clearFilter(int column)
{
    if (m_filters.erase(column))
        resetAll();
}

void GridModel::clearAllFilters()
{
    if (m_filters.empty())
        return;
    m_filters.clear();
    resetAll();
}

QStringList GridModel::activeFilter(int column) const
{
    auto it = m_filters.find(column);
    if (it == m_filters.end())
        return {};
    QStringList l(it->second.begin(), it->second.end());
    l.sort();
    return l;
}

QStringList GridModel::filterValues(int column) const
{
    if (!m_table || !m_attached || !m_table->isOpen() || column < 0 || column >= columnCount())
        return {};
    // One representative row per distinct text, ordered by value.
    QHash<QString, int> seen;
    std::vector<int> reps;
    const int n = m_table->rowCount();
    for (int r = 0; r < n; ++r) {
        if (!passesExcept(r, column))
            continue;
        QString t = cellText(r, column);
        if (!seen.contains(t)) {
            seen.insert(t, r);
            reps.push_back(r);
        }
    }
    const int f = fieldOf(column);
    if (f >= 0) {
        std::stable_sort(reps.begin(), reps.end(),
                         [&](int a, int b) { return compareRows(a, b, f) < 0; });
    }
    QStringList out;
    out.reserve(qsizetype(reps.size()));
    for (int r : reps)
        out << cellText(r, column);
    if (f < 0)
        out.sort(Qt::CaseInsensitive);
    return out;
}

void GridModel::groupBy(int column)
{
    if (column >= 0 && fieldOf(column) < 0 && m_table)
        return;
    m_groupColumn = column;
    m_collapsed.clear();
    resetAll();
}

void GridModel::setGroupExpanded(int g, bool expanded)
{
    if (g < 0 || g >= groupCount() || m_groups[size_t(g)].expanded == expanded)
        return;
    if (expanded)
        m_collapsed.remove(m_groups[size_t(g)].text);
    else
        m_collapsed.insert(m_groups[size_t(g)].text);
    beginResetModel();
    rebuild();
    endResetModel();
}

void GridModel::setAllExpanded(bool expanded)
{
    if (m_groupColumn < 0)
        return;
    m_collapsed.clear();
    if (!expanded)
        for (const Group& g : m_groups)
            m_collapsed.insert(g.text);
    beginResetModel();
    rebuild();
    endResetModel();
}

GridModel::RowKind GridModel::rowKind(int viewRow) const
{
    if (m_groupColumn < 0 || m_items.empty())
        return RowKind::Data;
    return m_items[size_t(viewRow)].kind;
}

int GridModel::tableRow(int viewRow) const
{
    if (viewRow < 0 || viewRow >= rowCount())
        return -1;
    if (m_items.empty())
        return m_order[size_t(viewRow)];
    const Item& it = m_items[size_t(viewRow)];
    return it.kind == RowKind::Data ? m_order[size_t(it.index)] : -1;
}

int GridModel::groupOf(int viewRow) const
{
    if (m_items.empty() || viewRow < 0 || viewRow >= rowCount())
        return -1;
    const Item& it = m_items[size_t(viewRow)];
    if (it.kind != RowKind::Data)
        return it.index;
    // data row: the last group starting at or before its position
    auto g = std::upper_bound(m_groups.begin(), m_groups.end(), it.index,
                              [](int pos, const Group& grp) { return pos < grp.first; });
    return int(g - m_groups.begin()) - 1;
}

int GridModel::viewRow(int tableRow) const
{
    if (tableRow < 0 || size_t(tableRow) >= m_viewOf.size())
        return -1;
    return m_viewOf[size_t(tableRow)];
}

QString GridModel::numberPattern(int column) const
{
    const GridColumn& c = m_columns[size_t(column)];
    if (!c.displayFormat.isEmpty())
        return c.displayFormat;
    const int f = fieldOf(column);
    return f < 0 || !m_table ? QString() : m_table->displayFormat(f);
}

QString GridModel::cellText(int row, int column) const
{
    const GridColumn& c = m_columns[size_t(column)];
    if (!m_table)
        return {};
    const int f = fieldOf(column);
    if (f < 0)
        return c.textHandler ? c.textHandler(GridRow(m_table, row)) : QString();
    if (c.textHandler)
        return c.textHandler(GridRow(m_table, row));
    if (!c.displayFormat.isEmpty() && isNumericType(m_table->field(f).type)) {
        if (m_table->isNull(row, f))
            return {};
        return formatFloat(m_table->data().numberAt(row, f), c.displayFormat, m_locale);
    }
    return m_table->displayText(row, f, m_locale);
}

double GridModel::cellNumber(int row, int column) const
{
    const int f = fieldOf(column);
    return f < 0 || !m_table ? 0.0 : m_table->data().numberAt(row, f);
}

bool GridModel::cellIsNull(int row, int column) const
{
    const int f = fieldOf(column);
    return f < 0 || !m_table || m_table->isNull(row, f);
}

QString GridModel::groupHeaderText(int g) const
{
    if (g < 0 || g >= groupCount() || m_groupColumn < 0)
        return {};
    const Group& grp = m_groups[size_t(g)];
    return column(m_groupColumn).headerText() + QStringLiteral(" : ") + grp.text;
}

QVariant GridModel::summaryValue(int column, const SummaryDef& s, int first, int count) const
{
    if (s.kind == Summary::None || !m_table || column < 0 || column >= columnCount())
        return {};
    const int f = fieldOf(column);
    const TableData& d = m_table->data();
    if (s.kind == Summary::Count) {
        if (f < 0)
            return count;
        int n = 0;
        for (int i = first; i < first + count; ++i)
            n += d.isNull(m_order[size_t(i)], f) ? 0 : 1;
        return n;
    }
    if (f < 0)
        return {};
    double sum = 0;
    int n = 0;
    for (int i = first; i < first + count; ++i) {
        const int r = m_order[size_t(i)];
        if (d.isNull(r, f))
            continue;
        sum += d.numberAt(r, f);
        ++n;
    }
    if (s.kind == Summary::Sum)
        return sum;
    return n == 0 ? QVariant() : QVariant(sum / n);
}

QString GridModel::summaryText(int column, const SummaryDef& s, int first, int count) const
{
    const QVariant v = summaryValue(column, s, first, count);
    if (!v.isValid())
        return {};
    if (s.kind == Summary::Count)
        return s.format.isEmpty() ? QString::number(v.toInt())
                                  : formatFloat(v.toDouble(), s.format, m_locale);
    QString pattern = s.format;
    if (pattern.isEmpty())
        pattern = numberPattern(column);
    if (pattern.isEmpty())
        return m_locale.toString(v.toDouble(), 'g', 15);
    return formatFloat(v.toDouble(), pattern, m_locale);
}

QString GridModel::footerText(int column) const
{
    return summaryText(column, m_columns[size_t(column)].footerSummary, 0, int(m_order.size()));
}

QVariant GridModel::footerValue(int column) const
{
    return summaryValue(column, m_columns[size_t(column)].footerSummary, 0, int(m_order.size()));
}

QString GridModel::groupFooterText(int g, int column) const
{
    if (g < 0 || g >= groupCount())
        return {};
    const Group& grp = m_groups[size_t(g)];
    return summaryText(column, m_columns[size_t(column)].groupSummary, grp.first, grp.count);
}

QVariant GridModel::groupFooterValue(int g, int column) const
{
    if (g < 0 || g >= groupCount())
        return {};
    const Group& grp = m_groups[size_t(g)];
    return summaryValue(column, m_columns[size_t(column)].groupSummary, grp.first, grp.count);
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_items.empty() ? int(m_order.size()) : int(m_items.size());
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int vr = index.row(), c = index.column();
    const GridColumn& col = m_columns[size_t(c)];
    if (role == Qt::TextAlignmentRole) {
        if (col.align)
            return int(col.align);
        return int((col.type == ColumnKind::Number ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::UserRole)
        return {};
    switch (rowKind(vr)) {
    case RowKind::GroupHeader:
        return c == 0 && role != Qt::UserRole ? groupHeaderText(m_items[size_t(vr)].index)
                                              : QVariant();
    case RowKind::GroupFooter:
        return role == Qt::UserRole ? groupFooterValue(m_items[size_t(vr)].index, c)
                                    : QVariant(groupFooterText(m_items[size_t(vr)].index, c));
    case RowKind::Data:
        break;
    }
    const int r = tableRow(vr);
    if (role == Qt::UserRole) {
        const int f = fieldOf(c);
        return f < 0 ? QVariant() : m_table->value(r, f);
    }
    return cellText(r, c);
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && section >= 0 && section < columnCount() && role == Qt::DisplayRole)
        return m_columns[size_t(section)].headerText();
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace pel

#pragma once
// Column declarations of a GridView: what a column shows and how.

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QVariant>

#include <functional>
#include <utility>
#include <vector>


namespace pel {

class LocalTable;

// How a column shows its value.
enum class ColumnKind {
    Text,          // one line, elided
    WrappedText,   // word-wrapped inside the cell
    MultiLineText, // line breaks of the value kept, wrapped
    Number,        // right-aligned number with the display format
    Check,         // tick box: ticked for a non-zero value
    Icon,          // icon chosen by value from the column's icon list
    Picture,       // a picture decoded from the field's bytes
    Drawn,         // painted by the column's draw handler
};

// Summary shown in the footer or in a group footer.
enum class Summary { None, Count, Sum, Average };

struct SummaryDef {
    Summary kind = Summary::None;
    QString format; // number pattern; empty: the column's display format
};

// Read access to the values of one table row, handed to draw handlers.
class GridRow {
public:
    GridRow(const LocalTable* table, int row) : m_table(table), m_row(row) {}
    int tableRow() const { return m_row; }
    const LocalTable* table() const { return m_table; }
    QVariant value(QStringView field) const;
    QString text(QStringView field) const; // the field's display text
    double number(QStringView field) const;

private:
    const LocalTable* m_table;
    int m_row;
};

// Arguments of a draw handler: paint `rect` completely (background too).
struct DrawCell {
    QPainter& painter;
    QRect rect;
    const GridRow& row;
    bool selected;
    int position;       // the row's position in the view, counted from 0
    QColor background;  // the colour the grid would fill the cell with
    QColor textColor;
};
using DrawHandler = std::function<void(const DrawCell&)>;
// Text of a drawn column for search and export.
using TextHandler = std::function<QString(const GridRow&)>;

// One column. Build with the chained setters:
//   GridColumn("cxGrid1DBTableView1ADI", "ADI").caption("Açıklama").kind(ColumnKind::WrappedText).tag(3)
struct GridColumn {
    QString name;    // the column's own name
    QString field;   // bound field; empty for drawn columns
    QString title;   // header caption; empty shows the field name
    ColumnKind type = ColumnKind::Text;
    bool isVisible = true;
    bool isOffered = true; // listed in the column chooser
    int widthPx = 80;
    int weight = 1; // width share (Tag): 0 technical, 1 narrow, 2 medium, 3 wide
    Qt::Alignment align = {};
    QString displayFormat; // number pattern; empty: the table field's own format
    std::vector<std::pair<QVariant, QIcon>> icons; // value -> icon
    QIcon neutralIcon; // icon for an empty value
    DrawHandler drawHandler;
    TextHandler textHandler;
    SummaryDef footerSummary;
    SummaryDef groupSummary;

    GridColumn() = default;
    GridColumn(QString columnName, QString boundField)
        : name(std::move(columnName)), field(std::move(boundField)) {}

    GridColumn& caption(QString v) { title = std::move(v); return *this; }
    GridColumn& kind(ColumnKind v) { type = v; return *this; }
    GridColumn& visible(bool v) { isVisible = v; return *this; }
    GridColumn& offered(bool v) { isOffered = v; return *this; }
    // hidden and not offered
    GridColumn& technical() { isVisible = false; isOffered = false; return *this; }
    GridColumn& width(int v) { widthPx = v; return *this; }
    GridColumn& tag(int v) { weight = v; return *this; }
    GridColumn& alignment(Qt::Alignment v) { align = v; return *this; }
    GridColumn& centred() { align = Qt::AlignCenter; return *this; }
    GridColumn& format(QString v) { displayFormat = std::move(v); return *this; }
    GridColumn& amount(); // number with the amount format "#,###,##0.00"
    GridColumn& icon(QVariant value, QIcon i) { icons.emplace_back(std::move(value), std::move(i)); return *this; }
    GridColumn& emptyIcon(QIcon i) { neutralIcon = std::move(i); return *this; }
    GridColumn& draw(DrawHandler h) { type = ColumnKind::Drawn; drawHandler = std::move(h); return *this; }
    GridColumn& text(TextHandler h) { textHandler = std::move(h); return *this; }
    GridColumn& footer(Summary k, QString fmt = {}) { footerSummary = {k, std::move(fmt)}; return *this; }
    GridColumn& groupFooter(Summary k, QString fmt = {}) { groupSummary = {k, std::move(fmt)}; return *this; }

    // Header text: the caption, or the field name when it is empty.
    QString headerText() const { return title.isEmpty() ? (field.isEmpty() ? name : field) : title; }
};

// The program's amount pattern.
inline const QString& amountFormat()
{
    static const QString f = QStringLiteral("#,###,##0.00");
    return f;
}

inline GridColumn& GridColumn::amount()
{
    type = ColumnKind::Number;
    displayFormat = amountFormat();
    return *this;
}

} // namespace pel

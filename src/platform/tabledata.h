#pragma once
// Column-major storage of a table's values.
//
// Each column keeps one contiguous vector for its kind of value: 64-bit
// integers (integers and booleans), doubles (floating point, currency, BCD,
// dates as day counts), or offsets into one UTF-16 text arena per column
// (strings) or one byte arena (blobs), plus a null flag per row. Filling a
// table therefore allocates per column, never per cell.

#include "fieldtype.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace pel {

class TableData {
public:
    TableData() = default;
    explicit TableData(QList<FieldDef> fields) { setFields(std::move(fields)); }

    // Structure. Setting the fields drops every row.
    void setFields(QList<FieldDef> fields);
    void addField(FieldDef field); // only while the table has no rows
    int fieldCount() const { return int(m_cols.size()); }
    const FieldDef& field(int col) const { return m_cols[size_t(col)].def; }
    int fieldIndex(QStringView name) const; // -1 when absent; case-insensitive
    QString displayFormat(int col) const { return m_cols[size_t(col)].displayFormat; }
    void setDisplayFormat(int col, const QString& format) { m_cols[size_t(col)].displayFormat = format; }

    // Rows.
    int rowCount() const { return m_rows; }
    void reserve(int rows);
    int appendRows(int count); // new rows are null; returns the first new index
    void clearRows();
    void clear(); // rows and fields

    // Typed access; the caller uses the column's storage kind.
    bool isNull(int row, int col) const { return m_cols[size_t(col)].nulls[size_t(row)] != 0; }
    qint64 intAt(int row, int col) const { return m_cols[size_t(col)].ints[size_t(row)]; }
    double realAt(int row, int col) const { return m_cols[size_t(col)].reals[size_t(row)]; }
    QStringView textAt(int row, int col) const;
    QByteArray bytesAt(int row, int col) const;

    void setNull(int row, int col);
    void setInt(int row, int col, qint64 v);
    void setReal(int row, int col, double v);
    void setText(int row, int col, QStringView v);
    void setBytes(int row, int col, const QByteArray& v);

    // Generic access through QVariant: null gives an invalid QVariant.
    QVariant value(int row, int col) const;
    void setValue(int row, int col, const QVariant& v);

    // Value as numbers / text regardless of storage (0 / empty for null).
    double numberAt(int row, int col) const;
    QString textOf(int row, int col) const;

    // Three-way comparison of two rows in one column; nulls sort first.
    int compare(int rowA, int rowB, int col) const;

    // Bytes held by the value storage (for measurements).
    size_t memoryUsed() const;

private:
    struct Column {
        FieldDef def;
        Storage storage = Storage::Text;
        QString displayFormat;
        std::vector<qint64> ints;
        std::vector<double> reals;
        std::vector<uint32_t> off; // text/bytes: start in the arena
        std::vector<uint32_t> len; // text/bytes: length
        QString text;              // text arena
        QByteArray bytes;          // byte arena
        qsizetype garbage = 0;     // arena units no longer referenced
        std::vector<uint8_t> nulls;
    };
    static void resizeColumn(Column& c, int rows);
    static void compact(Column& c);

    std::vector<Column> m_cols;
    int m_rows = 0;
};

} // namespace pel

#pragma once
// The in-memory table that receives a server result and that grids show:
// typed columns, rows, open/closed state, a current row with first/next
// walking, locate, and display notifications that can be held back while a
// load fills the table (views are then told once).

#include "tabledata.h"

#include <QLocale>
#include <QObject>

namespace pel {

class LocalTable : public QObject {
    Q_OBJECT
public:
    explicit LocalTable(QObject* parent = nullptr);

    const TableData& data() const { return m_data; }

    // Open state. A closed table has no rows; closing drops them.
    bool isOpen() const { return m_open; }
    void open();
    void close();

    // Structure. Replacing the fields drops every row.
    void setFields(QList<FieldDef> fields);
    int fieldCount() const { return m_data.fieldCount(); }
    const FieldDef& field(int col) const { return m_data.field(col); }
    int fieldIndex(QStringView name) const { return m_data.fieldIndex(name); }
    QString displayFormat(int col) const { return m_data.displayFormat(col); }
    void setDisplayFormat(int col, const QString& format);

    // Whole content. replaceContent takes fields and rows of `data` and opens the table.
    void replaceContent(TableData data);
    void emptyTable(); // drops the rows, keeps the fields
    int rowCount() const { return m_data.rowCount(); }

    // Rows.
    int appendRow(); // a null row, made current; returns its index
    int appendRows(int count);

    // Values.
    QVariant value(int row, int col) const { return m_data.value(row, col); }
    void setValue(int row, int col, const QVariant& v);
    bool isNull(int row, int col) const { return m_data.isNull(row, col); }
    // Display text: the field's display format applied, or the plain value.
    QString displayText(int row, int col, const QLocale& locale = QLocale()) const;

    // Cursor: the current row is -1 on an empty table.
    int currentRow() const { return m_current; }
    bool setCurrentRow(int row);
    void first();
    void next();
    void last();
    bool atEnd() const { return m_eof; }
    bool locate(int col, const QVariant& v);
    bool locate(QStringView fieldName, const QVariant& v);
    // Values of the current row by field name (invalid QVariant when there is none).
    QVariant fieldValue(QStringView name) const;
    void setFieldValue(QStringView name, const QVariant& v);

    // Display updates: while disabled, changes are collected and views hear
    // of them once, as one reset, when updates are enabled again.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

Q_SIGNALS:
    void contentReset();
    void rowsAppended(int first, int last);
    void valueChanged(int row, int col);
    void currentRowChanged(int row);

private:
    void changed(); // structure or many rows changed
    void moveTo(int row);

    TableData m_data;
    bool m_open = false;
    int m_current = -1;
    bool m_eof = true;
    int m_disabled = 0;
    bool m_pending = false;
};

} // namespace pel

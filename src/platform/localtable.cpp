#include "localtable.h"

#include "datetime.h"
#include "numberformat.h"

namespace pel {

LocalTable::LocalTable(QObject* parent) : QObject(parent) {}

void LocalTable::open()
{
    if (m_open)
        return;
    m_open = true;
    m_current = -1;
    m_eof = true;
    first();
    changed();
}

void LocalTable::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_data.clearRows();
    m_current = -1;
    m_eof = true;
    changed();
}

void LocalTable::setFields(QList<FieldDef> fields)
{
    m_data.setFields(std::move(fields));
    m_current = -1;
    m_eof = true;
    changed();
}

void LocalTable::setDisplayFormat(int col, const QString& format)
{
    m_data.setDisplayFormat(col, format);
    changed();
}

void LocalTable::replaceContent(TableData data)
{
    m_data = std::move(data);
    m_open = true;
    m_current = -1;
    m_eof = true;
    first();
    changed();
}

void LocalTable::emptyTable()
{
    m_data.clearRows();
    m_current = -1;
    m_eof = true;
    changed();
}

int LocalTable::appendRow()
{
    const int row = appendRows(1);
    moveTo(row);
    return row;
}

int LocalTable::appendRows(int count)
{
    m_open = true;
    const int first = m_data.appendRows(count);
    if (count > 0) {
        if (m_current < 0) {
            m_current = 0;
            m_eof = false;
        }
        if (m_disabled > 0)
            m_pending = true;
        else
            Q_EMIT rowsAppended(first, first + count - 1);
    }
    return first;
}

void LocalTable::setValue(int row, int col, const QVariant& v)
{
    m_data.setValue(row, col, v);
    if (m_disabled > 0)
        m_pending = true;
    else
        Q_EMIT valueChanged(row, col);
}

QString LocalTable::displayText(int row, int col, const QLocale& locale) const
{
    if (m_data.isNull(row, col))
        return {};
    const FieldDef& f = m_data.field(col);
    const QString fmt = m_data.displayFormat(col);
    if (!fmt.isEmpty() && isNumericType(f.type))
        return formatFloat(m_data.numberAt(row, col), fmt, locale);
    switch (f.type) {
    case FieldType::Double:
    case FieldType::Currency:
    case FieldType::BCD:
        return locale.toString(m_data.realAt(row, col), 'g', 15);
    case FieldType::Date:
        return locale.toString(fromDayCount(m_data.realAt(row, col)).date(), QLocale::ShortFormat);
    case FieldType::Time:
        return locale.toString(fromDayCount(m_data.realAt(row, col)).time(), QLocale::ShortFormat);
    case FieldType::DateTime:
    case FieldType::TimeStamp:
        return locale.toString(fromDayCount(m_data.realAt(row, col)), QLocale::ShortFormat);
    default:
        return m_data.textOf(row, col);
    }
}

void LocalTable::moveTo(int row)
{
    if (row == m_current)
        return;
    m_current = row;
    if (m_disabled > 0)
        m_pending = true;
    else
        Q_EMIT currentRowChanged(row);
}

bool LocalTable::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_eof = false;
    moveTo(row);
    return true;
}

void LocalTable::first()
{
    if (rowCount() == 0) {
        m_eof = true;
        moveTo(-1);
        return;
    }
    m_eof = false;
    moveTo(0);
}

void LocalTable::next()
{
    if (m_current + 1 < rowCount()) {
        m_eof = false;
        moveTo(m_current + 1);
    } else {
        m_eof = true;
    }
}

void LocalTable::last()
{
    m_eof = rowCount() == 0;
    moveTo(rowCount() - 1);
}

bool LocalTable::locate(int col, const QVariant& v)
{
    if (col < 0 || col >= fieldCount())
        return false;
    // Compare in the column's own storage so that 5, 5.0 and "5" agree.
    TableData probe(QList<FieldDef>{m_data.field(col)});
    probe.appendRows(1);
    probe.setValue(0, 0, v);
    const bool probeNull = probe.isNull(0, 0);
    const Storage st = storageOf(m_data.field(col).type);
    for (int r = 0; r < rowCount(); ++r) {
        if (m_data.isNull(r, col) || probeNull) {
            if (m_data.isNull(r, col) && probeNull) {
                setCurrentRow(r);
                return true;
            }
            continue;
        }
        bool eq = false;
        switch (st) {
        case Storage::Int:
            eq = m_data.intAt(r, col) == probe.intAt(0, 0);
            break;
        case Storage::Real:
            eq = m_data.realAt(r, col) == probe.realAt(0, 0);
            break;
        case Storage::Text:
            eq = m_data.textAt(r, col) == probe.textAt(0, 0);
            break;
        case Storage::Bytes:
            eq = m_data.bytesAt(r, col) == probe.bytesAt(0, 0);
            break;
        }
        if (eq) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

bool LocalTable::locate(QStringView fieldName, const QVariant& v)
{
    return locate(fieldIndex(fieldName), v);
}

QVariant LocalTable::fieldValue(QStringView name) const
{
    const int col = fieldIndex(name);
    if (col < 0 || m_current < 0)
        return {};
    return m_data.value(m_current, col);
}

void LocalTable::setFieldValue(QStringView name, const QVariant& v)
{
    const int col = fieldIndex(name);
    if (col >= 0 && m_current >= 0)
        setValue(m_current, col, v);
}

void LocalTable::disableControls()
{
    ++m_disabled;
}

void LocalTable::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_pending) {
        m_pending = false;
        Q_EMIT contentReset();
        Q_EMIT currentRowChanged(m_current);
    }
}

void LocalTable::changed()
{
    if (m_disabled > 0)
        m_pending = true;
    else
        Q_EMIT contentReset();
}

} // namespace pel

#include "tabledata.h"

#include "datetime.h"

#include <cmath>

namespace pel {

void TableData::setFields(QList<FieldDef> fields)
{
    m_cols.clear();
    m_rows = 0;
    m_cols.reserve(size_t(fields.size()));
    for (auto& f : fields)
        addField(std::move(f));
}

void TableData::addField(FieldDef field)
{
    Column c;
    c.storage = storageOf(field.type);
    c.def = std::move(field);
    resizeColumn(c, m_rows);
    m_cols.push_back(std::move(c));
}

int TableData::fieldIndex(QStringView name) const
{
    for (size_t i = 0; i < m_cols.size(); ++i)
        if (QStringView(m_cols[i].def.name).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void TableData::resizeColumn(Column& c, int rows)
{
    const size_t n = size_t(rows);
    c.nulls.resize(n, 1);
    switch (c.storage) {
    case Storage::Int:
        c.ints.resize(n, 0);
        break;
    case Storage::Real:
        c.reals.resize(n, 0.0);
        break;
    case Storage::Text:
    case Storage::Bytes:
        c.off.resize(n, 0);
        c.len.resize(n, 0);
        break;
    }
}

void TableData::reserve(int rows)
{
    for (auto& c : m_cols) {
        const size_t n = size_t(rows);
        c.nulls.reserve(n);
        if (c.storage == Storage::Int)
            c.ints.reserve(n);
        else if (c.storage == Storage::Real)
            c.reals.reserve(n);
        else {
            c.off.reserve(n);
            c.len.reserve(n);
        }
    }
}

int TableData::appendRows(int count)
{
    const int first = m_rows;
    if (count <= 0)
        return first;
    m_rows += count;
    for (auto& c : m_cols)
        resizeColumn(c, m_rows);
    return first;
}

void TableData::clearRows()
{
    m_rows = 0;
    for (auto& c : m_cols) {
        c.ints.clear();
        c.reals.clear();
        c.off.clear();
        c.len.clear();
        c.nulls.clear();
        c.text.clear();
        c.bytes.clear();
        c.garbage = 0;
    }
}

void TableData::clear()
{
    m_cols.clear();
    m_rows = 0;
}

QStringView TableData::textAt(int row, int col) const
{
    const Column& c = m_cols[size_t(col)];
    if (c.storage != Storage::Text)
        return {};
    return QStringView(c.text).mid(c.off[size_t(row)], c.len[size_t(row)]);
}

QByteArray TableData::bytesAt(int row, int col) const
{
    const Column& c = m_cols[size_t(col)];
    if (c.storage != Storage::Bytes)
        return {};
    return c.bytes.mid(c.off[size_t(row)], c.len[size_t(row)]);
}

void TableData::setNull(int row, int col)
{
    Column& c = m_cols[size_t(col)];
    const size_t r = size_t(row);
    if (c.storage == Storage::Text || c.storage == Storage::Bytes) {
        c.garbage += c.len[r];
        c.len[r] = 0;
    } else if (c.storage == Storage::Int) {
        c.ints[r] = 0;
    } else {
        c.reals[r] = 0.0;
    }
    c.nulls[r] = 1;
}

void TableData::setInt(int row, int col, qint64 v)
{
    Column& c = m_cols[size_t(col)];
    if (c.storage == Storage::Int) {
        c.ints[size_t(row)] = c.def.type == FieldType::Boolean ? (v != 0) : v;
        c.nulls[size_t(row)] = 0;
    } else if (c.storage == Storage::Real) {
        setReal(row, col, double(v));
    } else {
        setText(row, col, QString::number(v));
    }
}

void TableData::setReal(int row, int col, double v)
{
    Column& c = m_cols[size_t(col)];
    if (c.storage == Storage::Real) {
        c.reals[size_t(row)] = v;
        c.nulls[size_t(row)] = 0;
    } else if (c.storage == Storage::Int) {
        setInt(row, col, qint64(std::llround(v)));
    } else {
        setText(row, col, QString::number(v, 'g', 15));
    }
}

void TableData::compact(Column& c)
{
    if (c.storage == Storage::Text) {
        QString fresh;
        fresh.reserve(c.text.size() - c.garbage);
        for (size_t r = 0; r < c.off.size(); ++r) {
            const uint32_t o = uint32_t(fresh.size());
            fresh.append(QStringView(c.text).mid(c.off[r], c.len[r]));
            c.off[r] = o;
        }
        c.text = std::move(fresh);
    } else {
        QByteArray fresh;
        fresh.reserve(c.bytes.size() - c.garbage);
        for (size_t r = 0; r < c.off.size(); ++r) {
            const uint32_t o = uint32_t(fresh.size());
            fresh.append(c.bytes.constData() + c.off[r], c.len[r]);
            c.off[r] = o;
        }
        c.bytes = std::move(fresh);
    }
    c.garbage = 0;
}

void TableData::setText(int row, int col, QStringView v)
{
    Column& c = m_cols[size_t(col)];
    const size_t r = size_t(row);
    switch (c.storage) {
    case Storage::Text:
        break;
    case Storage::Bytes:
        setBytes(row, col, v.toUtf8());
        return;
    case Storage::Int: {
        bool ok = false;
        const qint64 n = v.trimmed().toLongLong(&ok);
        if (ok)
            setInt(row, col, n);
        else if (c.def.type == FieldType::Boolean)
            setInt(row, col, v.compare(u"true", Qt::CaseInsensitive) == 0);
        else
            setNull(row, col);
        return;
    }
    case Storage::Real: {
        bool ok = false;
        const double d = v.trimmed().toDouble(&ok);
        ok ? setReal(row, col, d) : setNull(row, col);
        return;
    }
    }
    if (c.nulls[r] == 0 && c.len[r] >= uint32_t(v.size())) {
        // Fits where the old value was: overwrite in place.
        std::copy(v.begin(), v.end(), c.text.begin() + c.off[r]);
        c.garbage += c.len[r] - uint32_t(v.size());
        c.len[r] = uint32_t(v.size());
        c.nulls[r] = 0;
        return;
    }
    if (c.nulls[r] == 0)
        c.garbage += c.len[r];
    c.off[r] = uint32_t(c.text.size());
    c.len[r] = uint32_t(v.size());
    c.text.append(v);
    c.nulls[r] = 0;
    if (c.garbage > 65536 && c.garbage > c.text.size() / 2)
        compact(c);
}

void TableData::setBytes(int row, int col, const QByteArray& v)
{
    Column& c = m_cols[size_t(col)];
    if (c.storage != Storage::Bytes) {
        setText(row, col, QString::fromUtf8(v));
        return;
    }
    const size_t r = size_t(row);
    if (c.nulls[r] == 0)
        c.garbage += c.len[r];
    c.off[r] = uint32_t(c.bytes.size());
    c.len[r] = uint32_t(v.size());
    c.bytes.append(v);
    c.nulls[r] = 0;
    if (c.garbage > 65536 && c.garbage > c.bytes.size() / 2)
        compact(c);
}

QVariant TableData::value(int row, int col) const
{
    if (isNull(row, col))
        return {};
    const Column& c = m_cols[size_t(col)];
    switch (c.def.type) {
    case FieldType::Boolean:
        return QVariant(intAt(row, col) != 0);
    case FieldType::Int16:
    case FieldType::Int32:
        return QVariant(int(intAt(row, col)));
    case FieldType::Int64:
        return QVariant(qlonglong(intAt(row, col)));
    case FieldType::Date:
        return QVariant(fromDayCount(realAt(row, col)).date());
    case FieldType::Time:
        return QVariant(fromDayCount(realAt(row, col)).time());
    case FieldType::DateTime:
    case FieldType::TimeStamp:
        return QVariant(fromDayCount(realAt(row, col)));
    case FieldType::Double:
    case FieldType::Currency:
    case FieldType::BCD:
        return QVariant(realAt(row, col));
    case FieldType::Blob:
    case FieldType::BinaryBlob:
        return QVariant(bytesAt(row, col));
    default:
        return QVariant(textAt(row, col).toString());
    }
}

void TableData::setValue(int row, int col, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        setNull(row, col);
        return;
    }
    const Column& c = m_cols[size_t(col)];
    switch (c.storage) {
    case Storage::Int:
        if (v.typeId() == QMetaType::QString)
            setText(row, col, v.toString());
        else if (v.typeId() == QMetaType::Bool)
            setInt(row, col, v.toBool());
        else
            setInt(row, col, v.toLongLong());
        break;
    case Storage::Real:
        switch (v.typeId()) {
        case QMetaType::QDate:
            setReal(row, col, toDayCount(v.toDate()));
            break;
        case QMetaType::QDateTime:
            setReal(row, col, toDayCount(v.toDateTime()));
            break;
        case QMetaType::QTime:
            setReal(row, col, double(v.toTime().msecsSinceStartOfDay()) / 86400000.0);
            break;
        case QMetaType::QString:
            setText(row, col, v.toString());
            break;
        default:
            setReal(row, col, v.toDouble());
        }
        break;
    case Storage::Text:
        setText(row, col, v.toString());
        break;
    case Storage::Bytes:
        setBytes(row, col, v.toByteArray());
        break;
    }
}

double TableData::numberAt(int row, int col) const
{
    if (isNull(row, col))
        return 0.0;
    switch (m_cols[size_t(col)].storage) {
    case Storage::Int:
        return double(intAt(row, col));
    case Storage::Real:
        return realAt(row, col);
    case Storage::Text:
        return textAt(row, col).toDouble();
    case Storage::Bytes:
        return 0.0;
    }
    return 0.0;
}

QString TableData::textOf(int row, int col) const
{
    if (isNull(row, col))
        return {};
    const Column& c = m_cols[size_t(col)];
    if (c.storage == Storage::Text)
        return textAt(row, col).toString();
    return value(row, col).toString();
}

int TableData::compare(int a, int b, int col) const
{
    const bool na = isNull(a, col), nb = isNull(b, col);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const Column& c = m_cols[size_t(col)];
    switch (c.storage) {
    case Storage::Int: {
        const qint64 x = c.ints[size_t(a)], y = c.ints[size_t(b)];
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case Storage::Real: {
        const double x = c.reals[size_t(a)], y = c.reals[size_t(b)];
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case Storage::Text:
        return textAt(a, col).compare(textAt(b, col), Qt::CaseInsensitive);
    case Storage::Bytes:
        return bytesAt(a, col).compare(bytesAt(b, col));
    }
    return 0;
}

size_t TableData::memoryUsed() const
{
    size_t n = sizeof(*this);
    for (const auto& c : m_cols) {
        n += sizeof(Column) + c.ints.capacity() * sizeof(qint64) +
             c.reals.capacity() * sizeof(double) + c.off.capacity() * 4 + c.len.capacity() * 4 +
             size_t(c.text.capacity()) * 2 + size_t(c.bytes.capacity()) + c.nulls.capacity();
    }
    return n;
}

} // namespace pel

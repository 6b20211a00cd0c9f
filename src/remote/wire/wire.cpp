#include "wire.h"


#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QTime>

#include <cmath>
#include <limits>

namespace pel::wire {

// ------------------------------------------------------------ envelopes

QByteArray ListBuilder::parametersBody() const
{
    QByteArray b;
    b.reserve(m_w.out().size() + 18);
    b += "{\"_parameters\":[";
    b += m_w.out();
    b += "]}";
    return b;
}

QByteArray ListBuilder::resultBody() const
{
    QByteArray b;
    b.reserve(m_w.out().size() + 13);
    b += "{\"result\":[";
    b += m_w.out();
    b += "]}";
    return b;
}

QByteArray errorBody(QStringView text)
{
    Writer w;
    w.raw("{\"error\":");
    w.string(text);
    w.raw('}');
    return w.take();
}

Value ListReader::operator[](int index) const
{
    if (index < 0 || index >= size())
        fail(QStringLiteral("%1. değer yok; listede %2 değer var").arg(index).arg(size()));
    return m_items[size_t(index)];
}

ListReader ListReader::fromArray(Document doc, Value array)
{
    ListReader r;
    r.m_items.reserve(size_t(array.size()));
    Value e = array.first();
    for (int n = 0; n < array.size(); ++n, e = e.next())
        r.m_items.push_back(e);
    r.m_doc = std::move(doc); // the values point into the document's heap storage
    return r;
}

ListReader decodeParameters(QByteArrayView body)
{
    Document d = Document::parse(body);
    const Value root = d.root();
    if (!root.isObject())
        fail(QStringLiteral("İstek gövdesi bir JSON nesnesi değil"));
    const Value params = root.member(u"_parameters");
    if (!params.isArray())
        fail(QStringLiteral("İstek gövdesinde _parameters dizisi yok"));
    return ListReader::fromArray(std::move(d), params);
}

ListReader decodeResult(int httpStatus, QByteArrayView body, int expected)
{
    if (httpStatus != 200) {
        QString text;
        try {
            const Document d = Document::parse(body);
            const Value err = d.root().member(u"error");
            if (err.isString())
                text = err.toText();
        } catch (const pel::Error&) {
        }
        if (text.isEmpty())
            text = QStringLiteral("Sunucu HTTP %1 durumuyla yanıt verdi").arg(httpStatus);
        throw pel::Error(text, kSunucuHatasi);
    }
    Document d;
    try {
        d = Document::parse(body);
    } catch (const pel::Error& e) {
        fail(QStringLiteral("Sunucunun yanıtı okunamadı: %1").arg(e.text()));
    }
    const Value root = d.root();
    if (!root.isObject())
        fail(QStringLiteral("Sunucunun yanıtı bir JSON nesnesi değil"));
    const Value err = root.member(u"error");
    if (err.isString())
        throw pel::Error(err.toText(), kSunucuHatasi);
    const Value result = root.member(u"result");
    if (!result.isArray())
        fail(QStringLiteral("Sunucunun yanıtında result dizisi yok"));
    if (result.size() < expected)
        fail(QStringLiteral("Sunucunun yanıtında %1 değer bekleniyordu, %2 değer geldi")
                 .arg(expected)
                 .arg(result.size()));
    return ListReader::fromArray(std::move(d), result);
}

// ------------------------------------------------------------ objects

void checkObjectHeader(Value v, const char* expectedType)
{
    const QString expected = QString::fromLatin1(expectedType);
    if (!v.isObject())
        fail(QStringLiteral("%1 nesnesi beklenirken %2 geldi").arg(expected, kindName(v.kind())));
    const Value type = v.member(u"type");
    if (!type.isString())
        fail(QStringLiteral("%1 nesnesinin türü (type) eksik").arg(expected));
    if (type.textView() != expected)
        fail(QStringLiteral("Bilinmeyen nesne türü \"%1\" (%2 bekleniyordu)")
                 .arg(type.textView().toString(), expected));
    if (!v.member(u"fields").isObject())
        fail(QStringLiteral("%1 nesnesinin alanları (fields) eksik").arg(expected));
}

// ------------------------------------------------------------ streams

void writeStream(Writer& w, QByteArrayView bytes)
{
    QByteArray& out = w.out();
    out.reserve(out.size() + bytes.size() * 4 + 2);
    out += '[';
    for (qsizetype k = 0; k < bytes.size(); ++k) {
        if (k)
            out += ',';
        const unsigned v = uchar(bytes[k]);
        if (v >= 100)
            out += char('0' + v / 100);
        if (v >= 10)
            out += char('0' + (v / 10) % 10);
        out += char('0' + v % 10);
    }
    out += ']';
}

QByteArray encodeStream(QByteArrayView bytes)
{
    Writer w;
    writeStream(w, bytes);
    return w.take();
}

QByteArray readStream(Value v)
{
    if (!v.isArray())
        fail(QStringLiteral("Akış için bayt dizisi beklenirken %1 geldi").arg(kindName(v.kind())));
    QByteArray out;
    out.resize(v.size());
    Value e = v.first();
    for (int n = 0; n < v.size(); ++n, e = e.next()) {
        if (!e.isInteger() || e.rawInt() < 0 || e.rawInt() > 255)
            fail(QStringLiteral("Akışın %1. baytı 0..255 aralığında bir tamsayı değil").arg(n));
        out[n] = char(uchar(e.rawInt()));
    }
    return out;
}

QByteArray decodeStream(QByteArrayView json)
{
    const Document d = Document::parse(json);
    return readStream(d.root());
}

// ------------------------------------------------------------ tables

namespace {

int wireSize(const pel::FieldDef& f)
{
    switch (f.type) {
    case FieldType::String:
    case FieldType::WideString:
    case FieldType::BCD:
    case FieldType::Blob:
    case FieldType::BinaryBlob:
        return f.size;
    case FieldType::Boolean:
    case FieldType::Int16:
        return 2;
    case FieldType::Int32:
    case FieldType::Date:
    case FieldType::Time:
        return 4;
    default:
        return 8;
    }
}

const QDate kEpoch(1899, 12, 30);

void putDigits(char*& o, int v, int n)
{
    for (int k = n - 1; k >= 0; --k) {
        o[k] = char('0' + v % 10);
        v /= 10;
    }
    o += n;
}

// A day count as "YYYY-MM-DD", "HH:MM:SS.zzz" or both joined by "T",
// counted the way fromDayCount counts (the fraction forward from midnight).
void writeDateTime(Writer& w, double days, FieldType type)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        throw pel::Error(QStringLiteral("%1 gün sayısı bir tarih değil").arg(days, 0, 'g', 17),
                         kVeriHatasi);
    const double whole = std::trunc(days);
    qint64 ms = qint64(std::llround(std::fabs(days - whole) * 86400000.0));
    QDate d = kEpoch.addDays(qint64(whole));
    if (ms >= 86400000) {
        ms -= 86400000;
        d = d.addDays(1);
    }
    char buf[32];
    char* o = buf;
    *o++ = '"';
    if (type != FieldType::Time) {
        if (d.year() < 0 || d.year() > 9999)
            throw pel::Error(QStringLiteral("%1 yılı yazılamaz").arg(d.year()), kVeriHatasi);
        putDigits(o, d.year(), 4);
        *o++ = '-';
        putDigits(o, d.month(), 2);
        *o++ = '-';
        putDigits(o, d.day(), 2);
    }
    if (type != FieldType::Date) {
        if (type != FieldType::Time)
            *o++ = 'T';
        putDigits(o, int(ms / 3600000), 2);
        *o++ = ':';
        putDigits(o, int(ms / 60000 % 60), 2);
        *o++ = ':';
        putDigits(o, int(ms / 1000 % 60), 2);
        *o++ = '.';
        putDigits(o, int(ms % 1000), 3);
    }
    *o++ = '"';
    w.out().append(buf, o - buf);
}

} // namespace

void writeTable(Writer& w, const pel::TableData& t)
{
    w.raw("{\"table\":[");
    for (int c = 0; c < t.fieldCount(); ++c) {
        const FieldDef& f = t.field(c);
        if (c)
            w.raw(',');
        w.raw('[');
        w.string(f.name);
        w.raw(',');
        w.integer(int(f.type));
        w.raw(',');
        w.integer(c);
        w.raw(",0,");
        w.integer(f.scale);
        w.raw(',');
        w.integer(wireSize(f));
        w.raw(',');
        w.integer(f.precision);
        w.raw(",0,true,false,0,false,false]");
    }
    w.raw(']');
    for (int c = 0; c < t.fieldCount(); ++c) {
        const FieldDef& f = t.field(c);
        w.raw(',');
        w.key(f.name);
        w.raw('[');
        for (int r = 0; r < t.rowCount(); ++r) {
            if (r)
                w.raw(',');
            if (t.isNull(r, c)) {
                w.null();
                continue;
            }
            switch (f.type) {
            case FieldType::Boolean:
                w.boolean(t.intAt(r, c) != 0);
                break;
            case FieldType::Int16:
            case FieldType::Int32:
            case FieldType::Int64:
                w.integer(t.intAt(r, c));
                break;
            case FieldType::Double:
            case FieldType::Currency:
            case FieldType::BCD:
                w.real(t.realAt(r, c));
                break;
            case FieldType::Date:
            case FieldType::Time:
            case FieldType::DateTime:
            case FieldType::TimeStamp:
                writeDateTime(w, t.realAt(r, c), f.type);
                break;
            case FieldType::Blob:
            case FieldType::BinaryBlob:
                w.out() += '"';
                w.out() += t.bytesAt(r, c).toBase64();
                w.out() += '"';
                break;
            default:
                w.string(t.textAt(r, c));
            }
        }
        w.raw(']');
    }
    w.raw('}');
}

QByteArray encodeTable(const pel::TableData& table)
{
    Writer w;
    writeTable(w, table);
    return w.take();
}

namespace {

bool digits(QStringView s, qsizetype at, int n, int& out)
{
    if (at + n > s.size())
        return false;
    int v = 0;
    for (int k = 0; k < n; ++k) {
        const char16_t c = s[at + k].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
    }
    out = v;
    return true;
}

// "YYYY-MM-DD" at the start of s.
bool parseDate(QStringView s, QDate& d)
{
    int y, m, day;
    if (!digits(s, 0, 4, y) || s.size() < 10 || s[4] != u'-' || !digits(s, 5, 2, m) ||
        s[7] != u'-' || !digits(s, 8, 2, day))
        return false;
    d = QDate(y, m, day);
    return d.isValid();
}

// "HH:MM:SS[.zzz]" as milliseconds of the day.
bool parseTime(QStringView s, qint64& ms)
{
    int h, m, sec, milli = 0;
    if (!digits(s, 0, 2, h) || s.size() < 8 || s[2] != u':' || !digits(s, 3, 2, m) ||
        s[5] != u':' || !digits(s, 6, 2, sec))
        return false;
    qsizetype p = 8;
    if (p < s.size() && s[p] == u'.') {
        ++p;
        int n = 0, v = 0;
        while (p < s.size() && s[p] >= u'0' && s[p] <= u'9') {
            if (n < 3) {
                v = v * 10 + (s[p].unicode() - u'0');
                ++n;
            }
            ++p;
        }
        if (n == 0)
            return false;
        while (n < 3) {
            v *= 10;
            ++n;
        }
        milli = v;
    }
    if (p != s.size() || h > 23 || m > 59 || sec > 59)
        return false;
    ms = ((qint64(h) * 60 + m) * 60 + sec) * 1000 + milli;
    return true;
}

double dayCount(const QDate& d, qint64 ms)
{
    const double days = double(kEpoch.daysTo(d));
    const double frac = double(ms) / 86400000.0;
    return days >= 0 ? days + frac : days - frac;
}

[[noreturn]] void cellError(const FieldDef& f, int row, const QString& what)
{
    fail(QStringLiteral("%1 sütununun %2. satırı: %3").arg(f.name).arg(row + 1).arg(what));
}

void readCell(pel::TableData& t, int r, int c, const FieldDef& f, Value v)
{
    const Kind k = v.kind();
    if (k == Kind::Null)
        return; // new rows are null already
    auto expect = [&](const QString& what) {
        cellError(f, r, QStringLiteral("%1 beklenirken %2 geldi").arg(what, kindName(k)));
    };
    switch (f.type) {
    case FieldType::String:
    case FieldType::WideString:
        if (k != Kind::String)
            expect(QStringLiteral("metin"));
        t.setText(r, c, v.textView());
        return;
    case FieldType::Boolean:
        if (k != Kind::Bool)
            expect(QStringLiteral("true/false"));
        t.setInt(r, c, v.rawBool() ? 1 : 0);
        return;
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::Int64: {
        if (k != Kind::Int)
            expect(QStringLiteral("tamsayı"));
        const qint64 n = v.rawInt();
        const bool fits = f.type == FieldType::Int64 ||
                          (f.type == FieldType::Int32 && n >= INT32_MIN && n <= INT32_MAX) ||
                          (f.type == FieldType::Int16 && n >= INT16_MIN && n <= INT16_MAX);
        if (!fits)
            cellError(f, r, QStringLiteral("%1 sütun türünün sınırlarının dışında").arg(n));
        t.setInt(r, c, n);
        return;
    }
    case FieldType::Double:
    case FieldType::Currency:
        if (k == Kind::Int)
            t.setReal(r, c, double(v.rawInt()));
        else if (k == Kind::Real)
            t.setReal(r, c, v.rawReal());
        else
            expect(QStringLiteral("sayı"));
        return;
    case FieldType::BCD:
        if (k == Kind::Int) {
            t.setReal(r, c, double(v.rawInt()));
        } else if (k == Kind::Real) {
            t.setReal(r, c, v.rawReal());
        } else if (k == Kind::String) {
            bool ok = false;
            const double d = v.textView().trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(d))
                cellError(f, r, QStringLiteral("\"%1\" bir ondalık sayı değil")
                                    .arg(v.textView().left(40).toString()));
            t.setReal(r, c, d);
        } else {
            expect(QStringLiteral("sayı"));
        }
        return;
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
    case FieldType::TimeStamp: {
        if (k != Kind::String)
            expect(QStringLiteral("tarih metni"));
        const QStringView s = v.textView();
        QDate d;
        qint64 ms = 0;
        bool ok = false;
        if (f.type == FieldType::Date) {
            ok = s.size() == 10 && parseDate(s, d);
        } else if (f.type == FieldType::Time) {
            d = kEpoch;
            ok = parseTime(s, ms);
        } else {
            ok = s.size() >= 19 && parseDate(s, d) && (s[10] == u'T' || s[10] == u' ') &&
                 parseTime(s.mid(11), ms);
        }
        if (!ok)
            cellError(f, r, QStringLiteral("\"%1\" geçerli bir tarih/saat değil")
                                .arg(s.left(40).toString()));
        t.setReal(r, c, f.type == FieldType::Time ? double(ms) / 86400000.0 : dayCount(d, ms));
        return;
    }
    case FieldType::Blob:
    case FieldType::BinaryBlob: {
        if (k != Kind::String)
            expect(QStringLiteral("base64 metni"));
        const auto res = QByteArray::fromBase64Encoding(v.textView().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
        if (!res)
            cellError(f, r, QStringLiteral("geçerli base64 değil"));
        t.setBytes(r, c, *res);
        return;
    }
    default:
        cellError(f, r, QStringLiteral("desteklenmeyen sütun türü"));
    }
}

} // namespace

pel::TableData readTable(Value v)
{
    if (!v.isObject())
        fail(QStringLiteral("Tablo beklenirken %1 geldi").arg(kindName(v.kind())));
    const Value defs = v.member(u"table");
    if (!defs.isArray())
        fail(QStringLiteral("Tablonun sütun tanımları (table) eksik"));

    QList<FieldDef> fields;
    fields.reserve(defs.size());
    QSet<QString> seen;
    Value d = defs.first();
    for (int n = 0; n < defs.size(); ++n, d = d.next()) {
        if (!d.isArray() || d.size() < 2)
            fail(QStringLiteral("Tablonun %1. sütun tanımı ad ve veri türü içermiyor").arg(n + 1));
        const Value name = d.at(0);
        const Value type = d.at(1);
        if (!name.isString() || name.textView().isEmpty())
            fail(QStringLiteral("Tablonun %1. sütununun adı geçersiz").arg(n + 1));
        if (!type.isInteger() || !isKnownFieldType(int(type.rawInt())) ||
            type.rawInt() != qint64(int(type.rawInt())))
            fail(QStringLiteral("%1 sütununun veri türü bilinmiyor").arg(name.toText()));
        FieldDef f;
        f.name = name.toText();
        f.type = FieldType(int(type.rawInt()));
        auto intAt = [&](int idx) {
            const Value x = d.at(idx);
            return (x.isInteger() && x.rawInt() >= 0 && x.rawInt() <= INT32_MAX) ? int(x.rawInt())
                                                                                 : 0;
        };
        f.scale = intAt(4);
        f.size = intAt(5);
        f.precision = intAt(6);
        const QString folded = f.name.toUpper();
        if (seen.contains(folded))
            fail(QStringLiteral("%1 sütunu tabloda iki kez var").arg(f.name));
        seen.insert(folded);
        fields.append(std::move(f));
    }

    std::vector<Value> columns;
    columns.reserve(size_t(fields.size()));
    int rows = -1;
    for (const FieldDef& f : fields) {
        const Value col = v.member(f.name);
        if (!col.isArray())
            fail(QStringLiteral("%1 sütununun değer dizisi yok").arg(f.name));
        if (rows < 0)
            rows = col.size();
        else if (col.size() != rows)
            fail(QStringLiteral("Tablonun sütunları farklı uzunlukta: %1 sütununda %2 değer, "
                                "%3 sütununda %4 değer var")
                     .arg(fields.front().name)
                     .arg(rows)
                     .arg(f.name)
                     .arg(col.size()));
        columns.push_back(col);
    }

    pel::TableData t(fields);
    if (rows > 0) {
        t.appendRows(rows);
        for (int c = 0; c < int(columns.size()); ++c) {
            const FieldDef& f = t.field(c);
            Value e = columns[size_t(c)].first();
            for (int r = 0; r < rows; ++r, e = e.next())
                readCell(t, r, c, f, e);
        }
    }
    return t;
}

pel::TableData decodeTable(QByteArrayView json)
{
    const Document d = Document::parse(json);
    return readTable(d.root());
}

} // namespace pel::wire

#include "json.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cmath>
#include <limits>

namespace pel::wire {

void fail(const QString& text)
{
    throw pel::Error(text, kVeriHatasi);
}

QString kindName(Kind k)
{
    switch (k) {
    case Kind::Absent:
        return QStringLiteral("hiçbir değer");
    case Kind::Null:
        return QStringLiteral("null");
    case Kind::Bool:
        return QStringLiteral("mantıksal değer");
    case Kind::Int:
        return QStringLiteral("tamsayı");
    case Kind::Real:
        return QStringLiteral("ondalıklı sayı");
    case Kind::String:
        return QStringLiteral("metin");
    case Kind::Array:
        return QStringLiteral("dizi");
    case Kind::Object:
        return QStringLiteral("nesne");
    }
    return {};
}

// ---------------------------------------------------------------- Value

int Value::size() const
{
    const Kind k = kind();
    return (k == Kind::Array || k == Kind::Object) ? int(node().count) : 0;
}

Value Value::first() const
{
    const Kind k = kind();
    if ((k != Kind::Array && k != Kind::Object) || node().count == 0)
        return {};
    // Object members are stored as key node, value node.
    return sibling(k == Kind::Object ? i + 2 : i + 1);
}

Value Value::next() const
{
    const uint32_t after = node().end;
    // Inside an object the next value follows the next key.
    if (i >= 1 && t->nodes[i - 1].kind == Kind::String && t->nodes[i - 1].flag)
        return sibling(after + 1);
    return sibling(after);
}

QStringView Value::key() const
{
    if (!t || i == 0)
        return {};
    const detail::Node& k = t->nodes[i - 1];
    if (k.kind != Kind::String || !k.flag)
        return {};
    return QStringView(t->text).mid(k.off, k.count);
}

Value Value::at(int index) const
{
    if (kind() != Kind::Array || index < 0 || uint32_t(index) >= node().count)
        return {};
    uint32_t p = i + 1;
    for (int n = 0; n < index; ++n)
        p = t->nodes[p].end;
    return sibling(p);
}

Value Value::member(QStringView name) const
{
    if (kind() != Kind::Object)
        return {};
    uint32_t p = i + 1;
    for (uint32_t n = 0; n < node().count; ++n) {
        const detail::Node& k = t->nodes[p];
        if (QStringView(t->text).mid(k.off, k.count) == name)
            return sibling(p + 1);
        p = t->nodes[p + 1].end;
    }
    return {};
}

QStringView Value::textView() const
{
    return QStringView(t->text).mid(node().off, node().count);
}

namespace {
[[noreturn]] void wrongKind(const QString& expected, Kind got)
{
    fail(QStringLiteral("%1 beklenirken %2 geldi").arg(expected, kindName(got)));
}
} // namespace

QString Value::toText() const
{
    if (kind() != Kind::String)
        wrongKind(QStringLiteral("Metin"), kind());
    return textView().toString();
}

qint64 Value::toInt64() const
{
    const Kind k = kind();
    if (k == Kind::Int)
        return node().i;
    if (k == Kind::Real) {
        const double d = node().d;
        if (std::trunc(d) == d && std::fabs(d) < 9.2e18)
            return qint64(d);
        fail(QStringLiteral("Tamsayı beklenirken %1 geldi").arg(d, 0, 'g', 17));
    }
    wrongKind(QStringLiteral("Tamsayı"), k);
}

qint32 Value::toInt32() const
{
    const qint64 v = toInt64();
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        fail(QStringLiteral("%1 sayısı 32 bitlik tamsayı sınırlarının dışında").arg(v));
    return qint32(v);
}

double Value::toDouble() const
{
    const Kind k = kind();
    if (k == Kind::Int)
        return double(node().i);
    if (k == Kind::Real)
        return node().d;
    wrongKind(QStringLiteral("Sayı"), k);
}

bool Value::toBool() const
{
    if (kind() != Kind::Bool)
        wrongKind(QStringLiteral("Mantıksal değer"), kind());
    return node().flag;
}

// ---------------------------------------------------------------- parser

namespace {

class Parser {
public:
    Parser(const char* p, const char* e, detail::Tape& tape) : s(p), begin(p), end(e), t(tape) {}

    void run()
    {
        skipWs();
        value(0);
        skipWs();
        if (s != end)
            error(QStringLiteral("değerden sonra fazladan karakter var"));
    }

private:
    [[noreturn]] void error(const QString& what)
    {
        fail(QStringLiteral("Geçersiz JSON (konum %1): %2").arg(qint64(s - begin)).arg(what));
    }

    void skipWs()
    {
        while (s != end && (*s == ' ' || *s == '\n' || *s == '\r' || *s == '\t'))
            ++s;
    }

    uint32_t push(Kind k)
    {
        if (t.nodes.size() >= size_t(std::numeric_limits<uint32_t>::max() - 2))
            error(QStringLiteral("çok fazla değer"));
        t.nodes.emplace_back();
        t.nodes.back().kind = k;
        return uint32_t(t.nodes.size() - 1);
    }

    void value(int depth)
    {
        if (s == end)
            error(QStringLiteral("metin beklenmedik biçimde bitti"));
        switch (*s) {
        case '{':
            object(depth);
            return;
        case '[':
            array(depth);
            return;
        case '"': {
            const uint32_t n = push(Kind::String);
            string(n);
            t.nodes[n].end = n + 1;
            return;
        }
        case 't':
            literal("true", Kind::Bool, true);
            return;
        case 'f':
            literal("false", Kind::Bool, false);
            return;
        case 'n':
            literal("null", Kind::Null, false);
            return;
        default:
            if (*s == '-' || (*s >= '0' && *s <= '9')) {
                number();
                return;
            }
            error(QStringLiteral("beklenmeyen karakter '%1'").arg(QChar::fromLatin1(*s)));
        }
    }

    void literal(const char* word, Kind k, bool flag)
    {
        const size_t n = std::strlen(word);
        if (size_t(end - s) < n || std::memcmp(s, word, n) != 0)
            error(QStringLiteral("geçersiz sözcük"));
        s += n;
        const uint32_t idx = push(k);
        t.nodes[idx].flag = flag;
        t.nodes[idx].end = idx + 1;
    }

    void number()
    {
        const char* start = s;
        bool isInt = true;
        if (*s == '-')
            ++s;
        if (s == end)
            error(QStringLiteral("sayı eksik"));
        if (*s == '0') {
            ++s;
        } else if (*s >= '1' && *s <= '9') {
            while (s != end && *s >= '0' && *s <= '9')
                ++s;
        } else {
            error(QStringLiteral("geçersiz sayı"));
        }
        if (s != end && *s == '.') {
            isInt = false;
            ++s;
            if (s == end || *s < '0' || *s > '9')
                error(QStringLiteral("ondalık kısım eksik"));
            while (s != end && *s >= '0' && *s <= '9')
                ++s;
        }
        if (s != end && (*s == 'e' || *s == 'E')) {
            isInt = false;
            ++s;
            if (s != end && (*s == '+' || *s == '-'))
                ++s;
            if (s == end || *s < '0' || *s > '9')
                error(QStringLiteral("üs eksik"));
            while (s != end && *s >= '0' && *s <= '9')
                ++s;
        }
        const uint32_t idx = push(Kind::Int);
        detail::Node& n = t.nodes[idx];
        n.end = idx + 1;
        if (isInt) {
            qint64 v = 0;
            auto r = std::from_chars(start, s, v);
            if (r.ec == std::errc() && r.ptr == s) {
                n.i = v;
                n.flag = true;
                return;
            }
        }
        double d = 0;
        auto r = std::from_chars(start, s, d);
        if (r.ec == std::errc::result_out_of_range || !std::isfinite(d))
            error(QStringLiteral("sayı double aralığının dışında"));
        if (r.ptr != s || r.ec != std::errc())
            error(QStringLiteral("geçersiz sayı"));
        n.kind = Kind::Real;
        n.d = d;
    }

    static int hex(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // Decodes one multi-byte UTF-8 sequence at s; returns the code point as
    // UTF-16 (a surrogate pair is appended directly, returning its low half).
    char16_t utf8Sequence()
    {
        const uchar c = uchar(*s);
        int n = 0;
        char32_t u = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            u = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            u = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            u = c & 0x07;
        } else {
            ++s;
            return 0xFFFD;
        }
        if (end - s <= n) {
            ++s;
            return 0xFFFD;
        }
        for (int k = 1; k <= n; ++k) {
            const uchar x = uchar(s[k]);
            if ((x & 0xC0) != 0x80) {
                ++s;
                return 0xFFFD;
            }
            u = (u << 6) | (x & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are invalid.
        if ((n == 2 && u < 0x800) || (n == 3 && (u < 0x10000 || u > 0x10FFFF)) ||
            (u >= 0xD800 && u <= 0xDFFF)) {
            ++s;
            return 0xFFFD;
        }
        s += n + 1;
        if (u < 0x10000)
            return char16_t(u);
        u -= 0x10000;
        t.text += QChar(char16_t(0xD800 + (u >> 10)));
        return char16_t(0xDC00 + (u & 0x3FF));
    }

    // Decodes the string at s (opening quote) into the text buffer of node n.
    void string(uint32_t n)
    {
        ++s;
        QString& out = t.text;
        const qsizetype startLen = out.size();
        for (;;) {
            // A run of plain ASCII.
            const char* run = s;
            while (s != end && uchar(*s) >= 0x20 && uchar(*s) < 0x80 && *s != '"' && *s != '\\')
                ++s;
            if (s != run) {
                const qsizetype old = out.size();
                out.resize(old + (s - run));
                char16_t* dst = reinterpret_cast<char16_t*>(out.data()) + old;
                for (const char* c = run; c != s; ++c)
                    *dst++ = char16_t(uchar(*c));
            }
            if (s == end)
                error(QStringLiteral("metin kapanmadan bitti"));
            const uchar c = uchar(*s);
            if (c == '"') {
                ++s;
                break;
            }
            if (c < 0x20)
                error(QStringLiteral("metinde denetim karakteri"));
            if (c == '\\') {
                ++s;
                if (s == end)
                    error(QStringLiteral("metin kapanmadan bitti"));
                const char e = *s++;
                switch (e) {
                case '"': out += u'"'; break;
                case '\\': out += u'\\'; break;
                case '/': out += u'/'; break;
                case 'b': out += u'\b'; break;
                case 'f': out += u'\f'; break;
                case 'n': out += u'\n'; break;
                case 'r': out += u'\r'; break;
                case 't': out += u'\t'; break;
                case 'u': {
                    if (end - s < 4)
                        error(QStringLiteral("eksik \\u kaçışı"));
                    int v = 0;
                    for (int k = 0; k < 4; ++k) {
                        const int h = hex(s[k]);
                        if (h < 0)
                            error(QStringLiteral("geçersiz \\u kaçışı"));
                        v = v * 16 + h;
                    }
                    s += 4;
                    out += QChar(char16_t(v));
                    break;
                }
                default:
                    error(QStringLiteral("geçersiz kaçış karakteri"));
                }
                continue;
            }
            // One UTF-8 sequence; a broken one becomes U+FFFD.
            out += QChar(utf8Sequence());
        }
        const qsizetype len = out.size() - startLen;
        if (out.size() > qsizetype(std::numeric_limits<uint32_t>::max()))
            error(QStringLiteral("metin çok uzun"));
        t.nodes[n].off = uint32_t(startLen);
        t.nodes[n].count = uint32_t(len);
    }

    void array(int depth)
    {
        if (depth >= kMaxDepth)
            error(QStringLiteral("iç içe geçme çok derin"));
        const uint32_t idx = push(Kind::Array);
        ++s;
        skipWs();
        uint32_t count = 0;
        if (s != end && *s == ']') {
            ++s;
        } else {
            for (;;) {
                value(depth + 1);
                ++count;
                skipWs();
                if (s == end)
                    error(QStringLiteral("dizi kapanmadan bitti"));
                if (*s == ',') {
                    ++s;
                    skipWs();
                    continue;
                }
                if (*s == ']') {
                    ++s;
                    break;
                }
                error(QStringLiteral("dizide ',' ya da ']' bekleniyordu"));
            }
        }
        t.nodes[idx].count = count;
        t.nodes[idx].end = uint32_t(t.nodes.size());
    }

    void object(int depth)
    {
        if (depth >= kMaxDepth)
            error(QStringLiteral("iç içe geçme çok derin"));
        const uint32_t idx = push(Kind::Object);
        ++s;
        skipWs();
        uint32_t count = 0;
        if (s != end && *s == '}') {
            ++s;
        } else {
            for (;;) {
                if (s == end || *s != '"')
                    error(QStringLiteral("üye adı bekleniyordu"));
                const uint32_t k = push(Kind::String);
                string(k);
                t.nodes[k].flag = true; // marks a member name
                t.nodes[k].end = k + 1;
                skipWs();
                if (s == end || *s != ':')
                    error(QStringLiteral("':' bekleniyordu"));
                ++s;
                skipWs();
                value(depth + 1);
                ++count;
                skipWs();
                if (s == end)
                    error(QStringLiteral("nesne kapanmadan bitti"));
                if (*s == ',') {
                    ++s;
                    skipWs();
                    continue;
                }
                if (*s == '}') {
                    ++s;
                    break;
                }
                error(QStringLiteral("nesnede ',' ya da '}' bekleniyordu"));
            }
        }
        t.nodes[idx].count = count;
        t.nodes[idx].end = uint32_t(t.nodes.size());
    }

    const char* s;
    const char* begin;
    const char* end;
    detail::Tape& t;
};

} // namespace

Document::Document() : m_tape(std::make_unique<detail::Tape>()) {}

Document Document::parse(QByteArrayView json)
{
    if (json.size() >= qsizetype(std::numeric_limits<uint32_t>::max() / 2))
        fail(QStringLiteral("Yanıt çok büyük"));
    Document d;
    // A rough guess: about one value per 8 bytes, text about a third.
    d.m_tape->nodes.reserve(std::min<size_t>(size_t(json.size() / 8 + 4), size_t(1) << 22));
    d.m_tape->text.reserve(std::min<qsizetype>(json.size() / 3 + 16, qsizetype(1) << 24));
    Parser p(json.data(), json.data() + json.size(), *d.m_tape);
    p.run();
    return d;
}

Value Document::root() const
{
    if (!m_tape || m_tape->nodes.empty())
        return {};
    return Value(m_tape.get(), 0);
}

// ---------------------------------------------------------------- writer

void Writer::integer(qint64 v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    m_out.append(buf, r.ptr - buf);
}

void Writer::real(double v)
{
    if (!std::isfinite(v))
        throw pel::Error(QStringLiteral("Sonlu olmayan bir sayı gönderilemez"), kVeriHatasi);
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    const char* e = r.ptr;
    const char* exp = nullptr;
    bool point = false;
    for (const char* c = buf; c != e; ++c) {
        if (*c == '.')
            point = true;
        else if (*c == 'e')
            exp = c;
    }
    if (point) {
        m_out.append(buf, e - buf);
    } else if (exp) {
        m_out.append(buf, exp - buf);
        m_out += ".0";
        m_out.append(exp, e - exp);
    } else {
        m_out.append(buf, e - buf);
        m_out += ".0";
    }
}

void Writer::string(const char* latin1)
{
    string(QString::fromLatin1(latin1));
}

void Writer::string(QStringView s)
{
    static const char* hexd = "0123456789abcdef";
    const qsizetype n = s.size();
    const qsizetype start = m_out.size();
    // At most 6 bytes per UTF-16 unit (\u00XX); shrink at the end.
    m_out.resize(start + n * 6 + 2);
    char* o = m_out.data() + start;
    *o++ = '"';
    const char16_t* p = s.utf16();
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = p[k];
        if (c < 0x80) {
            if (c >= 0x20 && c != u'"' && c != u'\\') {
                *o++ = char(c);
                continue;
            }
            *o++ = '\\';
            switch (c) {
            case u'"': *o++ = '"'; break;
            case u'\\': *o++ = '\\'; break;
            case u'\n': *o++ = 'n'; break;
            case u'\r': *o++ = 'r'; break;
            case u'\t': *o++ = 't'; break;
            case u'\b': *o++ = 'b'; break;
            case u'\f': *o++ = 'f'; break;
            default:
                *o++ = 'u';
                *o++ = '0';
                *o++ = '0';
                *o++ = hexd[(c >> 4) & 0xF];
                *o++ = hexd[c & 0xF];
            }
        } else if (c < 0x800) {
            *o++ = char(0xC0 | (c >> 6));
            *o++ = char(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c <= 0xDBFF && k + 1 < n && p[k + 1] >= 0xDC00 &&
                   p[k + 1] <= 0xDFFF) {
            const char32_t u = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (p[k + 1] - 0xDC00);
            ++k;
            *o++ = char(0xF0 | (u >> 18));
            *o++ = char(0x80 | ((u >> 12) & 0x3F));
            *o++ = char(0x80 | ((u >> 6) & 0x3F));
            *o++ = char(0x80 | (u & 0x3F));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // A lone surrogate cannot be UTF-8: keep it as an escape.
            *o++ = '\\';
            *o++ = 'u';
            *o++ = hexd[(c >> 12) & 0xF];
            *o++ = hexd[(c >> 8) & 0xF];
            *o++ = hexd[(c >> 4) & 0xF];
            *o++ = hexd[c & 0xF];
        } else {
            *o++ = char(0xE0 | (c >> 12));
            *o++ = char(0x80 | ((c >> 6) & 0x3F));
            *o++ = char(0x80 | (c & 0x3F));
        }
    }
    *o++ = '"';
    m_out.resize(o - m_out.constData());
}

} // namespace pel::wire

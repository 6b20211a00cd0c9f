#include "numberformat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace pel {
namespace {

// Decimal digits of |value| with 15 significant digits: digits and the
// position of the decimal point inside them (may be <= 0 or > size).
struct Decimal {
    std::string digits; // no leading zeros unless the value is zero
    int point = 0;      // number of digits before the decimal point
};

Decimal toDecimal(double v)
{
    Decimal d;
    v = std::fabs(v);
    if (v == 0.0 || !std::isfinite(v)) {
        d.digits = "0";
        d.point = 1;
        return d;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    auto e = s.find('e');
    std::string mant = s.substr(0, e);
    int exp = std::stoi(s.substr(e + 1));
    for (char c : mant)
        if (c != '.')
            d.digits.push_back(c);
    d.point = exp + 1;
    return d;
}

// Rounds to `decimals` fraction digits; returns integer part and fraction
// digits (exactly `decimals` long).
void roundDecimal(const Decimal& d, int decimals, std::string& intPart, std::string& frac)
{
    // Lay the digits out as an integer of scale `decimals`.
    std::string all;
    int lead = d.point;
    if (lead <= 0) {
        all = std::string(size_t(-lead) + 1, '0') + d.digits; // "0" then zeros
        lead = 1;
    } else {
        all = d.digits;
        if (int(all.size()) < lead)
            all.append(size_t(lead - int(all.size())), '0');
    }
    // all: integer digits [0, lead), fraction after.
    int keep = lead + decimals;
    if (int(all.size()) < keep)
        all.append(size_t(keep - int(all.size())), '0');
    bool up = int(all.size()) > keep && all[size_t(keep)] >= '5';
    all.resize(size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0) {
            if (all[size_t(i)] == '9') {
                all[size_t(i)] = '0';
                --i;
            } else {
                ++all[size_t(i)];
                break;
            }
        }
        if (i < 0) {
            all.insert(all.begin(), '1');
            ++lead;
        }
    }
    intPart = all.substr(0, size_t(lead));
    frac = all.substr(size_t(lead));
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

QStringList splitSections(const QString& pattern)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            cur += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            cur += c;
        } else if (c == u';') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

struct Section {
    QString prefix, suffix;
    int minInt = 0, minDec = 0, maxDec = 0;
    bool grouping = false;
    bool hasDigits = false;
};

QString unquote(const QString& s)
{
    QString out;
    QChar quote;
    for (QChar c : s) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else {
            out += c;
        }
    }
    return out;
}

Section parseSection(const QString& s)
{
    Section sec;
    int first = -1, last = -1;
    QChar quote;
    for (int i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        if (c == u'0' || c == u'#' || c == u'.' || c == u',') {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        sec.prefix = unquote(s);
        return sec;
    }
    sec.hasDigits = true;
    sec.prefix = unquote(s.left(first));
    sec.suffix = unquote(s.mid(last + 1));
    bool inFrac = false;
    for (int i = first; i <= last; ++i) {
        const QChar c = s[i];
        if (c == u'.')
            inFrac = true;
        else if (c == u',' && !inFrac)
            sec.grouping = true;
        else if (c == u'0' && !inFrac)
            ++sec.minInt;
    }
    // Fraction: every placeholder is a possible digit, up to the last 0 a required one.
    int fracAll = 0, fracZeros = 0;
    int dot = s.indexOf(u'.', first);
    if (dot >= 0 && dot <= last) {
        for (int i = dot + 1; i <= last; ++i) {
            if (s[i] == u'0') {
                ++fracAll;
                fracZeros = fracAll;
            } else if (s[i] == u'#') {
                ++fracAll;
            }
        }
    }
    sec.maxDec = fracAll;
    sec.minDec = fracZeros;
    return sec;
}

QString render(const Section& sec, double value, const QLocale& loc, bool& isZero)
{
    std::string intPart, frac;
    roundDecimal(toDecimal(value), sec.maxDec, intPart, frac);
    while (int(frac.size()) > sec.minDec && !frac.empty() && frac.back() == '0')
        frac.pop_back();
    isZero = intPart.empty() && frac.find_first_not_of('0') == std::string::npos;
    if (int(intPart.size()) < sec.minInt)
        intPart.insert(0, size_t(sec.minInt - int(intPart.size())), '0');
    QString num;
    const QString group = loc.groupSeparator();
    const int n = int(intPart.size());
    for (int i = 0; i < n; ++i) {
        if (sec.grouping && i > 0 && (n - i) % 3 == 0)
            num += group;
        num += QChar(intPart[size_t(i)]);
    }
    if (!frac.empty()) {
        num += loc.decimalPoint();
        num += QString::fromLatin1(frac.data(), qsizetype(frac.size()));
    }
    return num;
}

} // namespace

double roundHalfAway(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    std::string intPart, frac;
    roundDecimal(toDecimal(value), decimals, intPart, frac);
    std::string text = (intPart.empty() ? std::string("0") : intPart) + "." + frac + "0";
    double r = std::strtod(text.c_str(), nullptr);
    return value < 0 && r != 0.0 ? -r : r;
}

QString formatFloat(double value, const QString& pattern, const QLocale& locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const QStringList sections = splitSections(pattern);
    const Section pos = parseSection(sections.value(0));
    if (!pos.hasDigits && sections.value(0).isEmpty()) {
        // Empty pattern: general format.
        return locale.toString(value, 'g', 15);
    }
    const bool negative = value < 0;
    bool zero = false;
    if (negative && sections.size() > 1 && !sections[1].isEmpty()) {
        const Section neg = parseSection(sections[1]);
        QString body = render(neg, value, locale, zero);
        if (!zero)
            return neg.prefix + body + neg.suffix;
    }
    QString body = render(pos, value, locale, zero);
    if (zero && sections.size() > 2 && !sections[2].isEmpty()) {
        const Section z = parseSection(sections[2]);
        bool dummy;
        return z.prefix + render(z, 0.0, locale, dummy) + z.suffix;
    }
    QString sign = negative && !zero ? QStringLiteral("-") : QString();
    return sign + pos.prefix + body + pos.suffix;
}

} // namespace pel

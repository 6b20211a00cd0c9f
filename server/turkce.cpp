#include "turkce.h"

#include "platform/numberformat.h"

#include <QLocale>

namespace pelsrv {

QString katla(QStringView metin)
{
    QString s;
    s.reserve(metin.size());
    bool bosluk = false;
    for (QChar c : metin) {
        char16_t u = c.unicode();
        switch (u) {
        case u'ğ': case u'Ğ': u = u'G'; break;
        case u'ü': case u'Ü': u = u'U'; break;
        case u'ş': case u'Ş': u = u'S'; break;
        case u'ı': case u'İ': case u'i': u = u'I'; break;
        case u'ö': case u'Ö': u = u'O'; break;
        case u'ç': case u'Ç': u = u'C'; break;
        case u'â': case u'Â': u = u'A'; break;
        case u'î': case u'Î': u = u'I'; break;
        case u'û': case u'Û': u = u'U'; break;
        default:
            if (u < 128) {
                if (u >= 'a' && u <= 'z')
                    u = char16_t(u - 32);
            } else {
                u = QChar(u).toUpper().unicode();
            }
        }
        if (QChar(u).isSpace()) {
            if (!bosluk && !s.isEmpty())
                s += u' ';
            bosluk = true;
            continue;
        }
        bosluk = false;
        s += QChar(u);
    }
    if (s.endsWith(u' '))
        s.chop(1);
    return s;
}

QString tlBicim(double tutar)
{
    static const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    return pel::formatFloat(tutar, QStringLiteral("#,###,##0.00"), tr);
}

QString indirimYazisi(double r1, double r2, double r3, double r4)
{
    QStringList parcalar;
    for (double r : {r1, r2, r3, r4})
        if (r > 0)
            parcalar << QLocale(QLocale::Turkish).toString(r, 'g', 6);
    return parcalar.join(u'+');
}

double iskontoUygula(double brut, double r1, double r2, double r3, double r4)
{
    double n = brut;
    for (double r : {r1, r2, r3, r4})
        if (r > 0)
            n -= n * r / 100.0;
    return n;
}

double yuvarla2(double x)
{
    return pel::roundHalfAway(x, 2);
}

} // namespace pelsrv

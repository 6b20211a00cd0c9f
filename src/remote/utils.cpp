#include "utils.h"

#include "klasor_sistem.h"
#include "mesajpenceresi.h"
#include "platform/error.h"
#include "platform/numberformat.h"
#include "platform/seams.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

int MesajGoster(const QString& mesaj, int tip, ButonSeti butonlar, int secili)
{
    TMesajPenceresi pencere(mesaj, tip, butonlar, secili, QApplication::activeWindow());
    if (const unsigned ses = TMesajPenceresi::TipSesi(tip))
        pel::playSystemSound(ses);
    return pel::execModal(pencere);
}

void SayiBicimiVer(pel::LocalTable& tablo)
{
    for (int i = 0; i < tablo.fieldCount(); ++i)
        if (tablo.field(i).type == pel::FieldType::Double)
            tablo.setDisplayFormat(i, kTutarBicimi);
}

double IkiHaneYuvarla(double x)
{
    const QLocale yerel;
    QString metin = pel::formatFloat(x, QStringLiteral("#,###,##.00"), yerel);
    metin.remove(yerel.groupSeparator());
    metin.replace(yerel.decimalPoint(), QStringLiteral("."));
    bool ok = false;
    const double sonuc = metin.toDouble(&ok);
    return ok ? sonuc : pel::roundHalfAway(x, 2);
}

namespace {
int hexDegeri(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}
} // namespace

QByteArray HexResimCoz(QStringView metin)
{
    QByteArray sonuc;
    sonuc.reserve(metin.size() / 2 + 1);
    for (qsizetype p = 0; p < metin.size(); p += 2) {
        const qsizetype n = std::min<qsizetype>(2, metin.size() - p);
        int deger = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const int d = hexDegeri(metin[p + i]);
            if (d < 0)
                throw pel::Error(QStringLiteral("'%1' geçerli bir onaltılık değer değil")
                                     .arg(metin.mid(p, n).toString()),
                                 QStringLiteral("EConvertError"));
            deger = deger * 16 + d;
        }
        sonuc.append(char(deger));
    }
    return sonuc;
}

bool KayitVarmi(const pel::LocalTable& tablo)
{
    return tablo.isOpen() && tablo.rowCount() != 0;
}

bool SeciliVarmi(pel::LocalTable& tablo)
{
    if (!KayitVarmi(tablo))
        return false;
    const int sec = tablo.fieldIndex(u"SEC");
    if (sec < 0)
        return false;
    tablo.first();
    while (!tablo.atEnd()) {
        if (tablo.data().numberAt(tablo.currentRow(), sec) == 1)
            return true;
        tablo.next();
    }
    return false;
}

QString BelgelerKlasoruAl()
{
    return QDir::toNativeSeparators(QString::fromStdString(SistemBelgelerKlasoru()));
}

QString VeriKlasoruAl()
{
    const QString klasor = QString::fromStdString(SistemVeriKlasoru()) + QDir::separator() +
                           QStringLiteral("pelmora");
    if (!SistemKlasorVarmi(klasor.toStdString()))
        SistemKlasorOlustur(klasor.toStdString());
    return QDir::toNativeSeparators(klasor);
}

QString YerelVeriKlasoruAl()
{
    return QDir::toNativeSeparators(QString::fromStdString(SistemYerelVeriKlasoru()));
}

#pragma once
// Shared helpers of every screen: the message dialog, the amount format,
// money rounding, table checks, pictures sent as hex text, per-user folders.

#include "platform/localtable.h"

#include <QByteArray>
#include <QString>

// Message dialog types.
enum MesajTipi : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3 };

// Button kinds; a button set is a mask with bit n for kind n.
enum ButonTuru : int {
    mbYes = 0,
    mbNo = 1,
    mbOK = 2,
    mbCancel = 3,
    mbAbort = 4,
    mbRetry = 5,
    mbIgnore = 6,
    mbAll = 7,
    mbNoToAll = 8,
    mbYesToAll = 9,
    mbHelp = 10,
    mbClose = 11,
};
using ButonSeti = quint16;
constexpr ButonSeti butonSeti(std::initializer_list<int> kinds)
{
    ButonSeti m = 0;
    for (int k : kinds)
        m = ButonSeti(m | (1u << k));
    return m;
}
constexpr ButonSeti mbOKSeti = butonSeti({mbOK});              // 4
constexpr ButonSeti mbYesNoSeti = butonSeti({mbYes, mbNo});    // 3

// Result codes of the pressed button.
enum SonucKodu : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrHelp = 9,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
};

// The program's one message dialog; returns the result code pressed.
int MesajGoster(const QString& mesaj, int tip, ButonSeti butonlar, int secili);

// The program-wide amount format.
inline const QString kTutarBicimi = QStringLiteral("#,###,##0.00");

// Gives every double-precision field the amount format; other kinds keep theirs.
void SayiBicimiVer(pel::LocalTable& tablo);

// Two-decimal rounding of money sums, half away from zero.
double IkiHaneYuvarla(double x);

// Bytes of a text of hex digit pairs (a lone last digit is one byte).
// A character that is not a hex digit throws pel::Error.
QByteArray HexResimCoz(QStringView metin);

bool KayitVarmi(const pel::LocalTable& tablo);
// True when a row has SEC = 1; that row becomes current.
bool SeciliVarmi(pel::LocalTable& tablo);

QString BelgelerKlasoruAl();
QString VeriKlasoruAl();
// The local (not roaming) application-data folder; empty when unknown.
QString YerelVeriKlasoruAl();

#pragma once
// Turkish text helpers of the server: the folded search form and amounts in
// Turkish notation.

#include <QString>

namespace pelsrv {

// Upper-case form with the Turkish letters folded to plain Latin letters
// (Ğ→G, Ü→U, Ş→S, İ/I/ı→I, Ö→O, Ç→C) and runs of white space made one blank.
// Both the stored search column and the typed search text go through it.
QString katla(QStringView metin);

// "1.234,56" (two decimals, dot grouping, comma decimal separator).
QString tlBicim(double tutar);

// The four discount rates as display text: "25+10+5"; empty when none.
QString indirimYazisi(double r1, double r2, double r3, double r4);

// Applies the discount chain to `brut`; rates of 0 or below are skipped.
double iskontoUygula(double brut, double r1, double r2, double r3, double r4);

// Two-decimal rounding, half away from zero.
double yuvarla2(double x);

} // namespace pelsrv

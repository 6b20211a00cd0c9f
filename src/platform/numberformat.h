#pragma once
// Number display patterns in the style the screens use: "#,###,##0.00",
// ",0.00 TL;-,0.00 TL" and the like, with the locale's separators.
//
// Supported: up to three sections (positive;negative;zero), the digit
// placeholders '0' and '#', '.' for the decimal point, ',' anywhere in the
// integer part for thousands grouping, and literal text (quoted or not)
// before and after the digits. Rounding is half away from zero on the
// value's 15 significant decimal digits.

#include <QLocale>
#include <QString>

namespace pel {

QString formatFloat(double value, const QString& pattern, const QLocale& locale = QLocale());

// Rounds to `decimals` places, half away from zero, on 15 significant digits.
double roundHalfAway(double value, int decimals);

} // namespace pel

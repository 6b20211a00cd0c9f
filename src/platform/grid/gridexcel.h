#pragma once
// Excel export helpers of GridView.

#include <QString>

namespace pel {

// The Excel number format for a display pattern such as "#,###,##0.00" or
// ",0.00 TL;-,0.00 TL" ("#,##0.00" and "#,##0.00\" TL\";-#,##0.00\" TL\"").
QString excelNumberFormat(const QString& pattern);

// The name an export is written to: an "xls" or "xls*" extension, or none,
// becomes "xlsx" (the content is an xlsx workbook).
QString excelFileName(const QString& chosen);

} // namespace pel

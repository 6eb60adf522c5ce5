#pragma once

#include <QString>

// How a number from a spreadsheet cell is shown in the preview: German dates, whole numbers
// without ".0", leading zeros only where the cell's format asks for them.
namespace SheetNumbers {

// Whether a number format (built-in id, or the custom code when there is one) shows a date.
bool isDateFormat(int formatId, const QString &formatCode);

// A serial day number as "20.08.2009"; "" when out of range. The 1904 system counts from
// 01.01.1904, the other one from 31.12.1899 (with the leap day 29.02.1900 that never was).
QString serialToGermanDate(double serial, bool date1904);

// "2009-08-20" (with or without a time after it) as "20.08.2009"; the text itself otherwise.
QString isoToGermanDate(const QString &iso);

// The number as the cell shows it under the format code: "00000" pads a whole number to
// five digits; otherwise whole numbers without a decimal part, others with a decimal comma.
QString formatNumber(double value, const QString &formatCode = QString());

} // namespace SheetNumbers

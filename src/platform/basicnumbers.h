#pragma once

#include <optional>
#include <QString>
#include <QtGlobal>

// The number/text rules of the runtime the program's files and texts were designed for.

// Leading numeric part of a text: blanks are skipped, reading stops at the first character that
// cannot continue a number; no digits give 0. "2x" -> 2, " 1.5e1z" -> 15, "abc" -> 0, "&H1F" -> 31.
double leadingNumber(const QString &text);

// The whole text (surrounding blanks allowed) as a number; nullopt when it is not one.
std::optional<double> wholeNumber(const QString &text);

// Round to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// Round half to even into a 16-bit integer; nullopt on overflow.
std::optional<qint16> toInt16(double value);

// Number to text: a leading space for non-negative numbers, no zero before the point,
// at most 15 significant digits: " 45", " 12.5", " .75", " 0", "-.5".
QString numberToText(double value);

// Two decimals, "0.00" style: 3.14159 -> "3.14", 0.5 -> "0.50".
QString formatTwoDecimals(double value);

#pragma once

// The list sorts by text; numbers are turned into keys whose text order is their numeric order.

#include <QString>

namespace mainform {

// "0"<->"9", "1"<->"8", ... and "-" to a space; every other character stays.
QString InvertDigits(const QString& text);

// The key of a cell of a number column: 30 digits before and after the decimal point for
// numbers at or above zero, "&" and the inverted key of the absolute value for negative ones,
// the empty text for anything that is not a number.
QString numberSortKey(const QString& text);

// Whether a text is a number as the user types it: optional sign, digits, one decimal point,
// optional exponent; spaces around it are allowed.
bool isNumeric(const QString& text);

// What the slide-number box keeps of a typed text: a non-number loses characters from its end
// until it is a number, "-" or empty; then it is trimmed, and what is still no number goes.
QString Validate_Number_Entry(QString text);

// Banker's rounding of a numeric text, as the slide numbers are rounded.
long long roundHalfEven(double value);

}  // namespace mainform

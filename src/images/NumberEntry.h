#pragma once

// The number boxes of the export dialogs.

#include <QString>

#include "platform/Prompt.h"

namespace images {

// The number the text starts with (sign, digits, decimal point, exponent); 0 when none.
double leadingNumber(const QString& text);

// The size factor box's check on each change: a whole number from 1 to 100, or a warning.
// The text itself is left as typed.
void checkSizeFactor(platform::Prompt& prompt, const QString& text);

inline const QString SizeFactorRange = QStringLiteral(" Some max-min-error message");

}  // namespace images

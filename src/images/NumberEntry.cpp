#include "images/NumberEntry.h"

#include <QRegularExpression>
#include <cmath>

#include "mainform/SortKeys.h"

namespace images {

double leadingNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    const auto m = number.match(text);
    if (!m.hasMatch()) return 0;
    const double value = m.captured(0).trimmed().toDouble();
    return std::isfinite(value) ? value : 0;
}

void checkSizeFactor(platform::Prompt& prompt, const QString& text) {
    if (text.isEmpty()) return;
    auto warn = [&](const QString& message) {
        prompt.show({message, platform::Icon::Exclamation, platform::Buttons::Ok, true});
    };
    if (!mainform::isNumeric(text)) return warn(QStringLiteral("Type mismatch"));
    const double value = text.trimmed().toDouble();
    // A 16-bit whole number, rounded half to even.
    if (!std::isfinite(value) || std::fabs(value) >= 32767.5)
        return warn(QStringLiteral("Overflow"));
    const long long whole = mainform::roundHalfEven(value);
    if (whole > 100 || whole < 1) warn(SizeFactorRange);
}

}  // namespace images

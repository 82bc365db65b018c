#include "mainform/SortKeys.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace mainform {

QString InvertDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= '0' && c <= '9')
            c = QChar('9' - (c.unicode() - '0'));
        else if (c == '-')
            c = ' ';
    }
    return out;
}

bool isNumeric(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return number.match(text).hasMatch();
}

namespace {

// 30 digits, a point, 30 digits: the fixed width that makes text order numeric order.
QString fixedKey(double value) {
    QString digits = QString::number(value, 'f', 30);
    const int point = digits.indexOf('.');
    QString whole = point < 0 ? digits : digits.left(point);
    QString fraction = point < 0 ? QString() : digits.mid(point + 1);
    // Values beyond 30 whole digits cannot be keyed in the width; they sort last.
    if (whole.size() > 30) whole = QString(30, '9');
    return whole.rightJustified(30, '0') + '.' + fraction.leftJustified(30, '0').left(30);
}

}  // namespace

QString numberSortKey(const QString& text) {
    if (!isNumeric(text)) return QString();
    const double value = text.trimmed().toDouble();
    if (value < 0) return '&' + InvertDigits(fixedKey(-value));
    return fixedKey(value);
}

QString Validate_Number_Entry(QString text) {
    while (!text.isEmpty() && !isNumeric(text) && text != QLatin1String("-")) text.chop(1);
    text = text.trimmed();
    if (!text.isEmpty() && !isNumeric(text)) text.clear();
    return text;
}

long long roundHalfEven(double value) {
    return static_cast<long long>(std::nearbyint(value));
}

}  // namespace mainform

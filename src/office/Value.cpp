#include "office/Value.h"

#include <cmath>

namespace office {

QString toText(const Value& v) {
    if (auto s = std::get_if<QString>(&v)) return *s;
    if (auto b = std::get_if<bool>(&v))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    if (auto d = std::get_if<double>(&v)) {
        if (std::isfinite(*d) && *d == std::floor(*d) && std::fabs(*d) < 1e15)
            return QString::number(static_cast<long long>(*d));
        return QString::number(*d, 'g', 15);
    }
    return {};
}

bool toBool(const Value& v) {
    if (auto b = std::get_if<bool>(&v)) return *b;
    if (auto d = std::get_if<double>(&v)) return *d != 0.0;
    if (auto s = std::get_if<QString>(&v))
        return s->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
    return false;
}

double toNumber(const Value& v, double fallback) {
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
    if (auto s = std::get_if<QString>(&v)) {
        bool ok = false;
        double d = s->trimmed().toDouble(&ok);
        return ok ? d : fallback;
    }
    return fallback;
}

}  // namespace office

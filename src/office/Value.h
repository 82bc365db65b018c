#pragma once

#include <QString>
#include <variant>
#include <vector>

namespace office {

// A cell's value: empty, text, number or boolean.
using Value = std::variant<std::monostate, QString, double, bool>;
using Row = std::vector<Value>;
using Grid = std::vector<Row>;

inline bool isEmpty(const Value& v) {
    if (std::holds_alternative<std::monostate>(v)) return true;
    if (auto s = std::get_if<QString>(&v)) return s->isEmpty();
    return false;
}

// The text a cell shows when read as text: numbers without a trailing ".0",
// booleans as "True"/"False".
QString toText(const Value& v);

// A value read as a boolean: true for True, a non-zero number or the text "True"
// in any case.
bool toBool(const Value& v);

// A value read as a number; text that is not a number gives `fallback`.
double toNumber(const Value& v, double fallback = 0.0);

}  // namespace office

#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace office {

inline constexpr int MaxRows = 1048576;
inline constexpr int MaxColumns = 16384;

// One rectangular area of a sheet, 1-based and inclusive.
struct CellRect {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    int rows() const { return bottom - top + 1; }
    int columns() const { return right - left + 1; }
    bool contains(int row, int column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    bool operator==(const CellRect&) const = default;
};

std::optional<CellRect> intersect(const CellRect& a, const CellRect& b);

// Column number <-> letters: 1 <-> "A", 28 <-> "AB".
QString columnLetters(int column);
int columnNumber(const QString& letters);  // 0 when not letters

// "$A$1" or "$A$1:$B$5", as the office writes addresses.
QString formatAddress(const CellRect& rect);
// Areas joined by commas.
QString formatAddress(const std::vector<CellRect>& areas);

// A1-style reference without a sheet: "A1", "$B$2:C3", "D:E", "3:5", and several
// areas joined by commas. Empty when it does not parse.
std::optional<std::vector<CellRect>> parseA1(const QString& text);

// R1C1-style reference without a sheet: "R23C15:R30C22", "C1:C8", "R2".
std::optional<std::vector<CellRect>> parseR1C1(const QString& text);

// A reference with an optional sheet in front: "Data!$A$1:$B$5" or "'My data'!A1".
struct SheetReference {
    QString sheet;  // empty when none was given
    std::vector<CellRect> areas;
};
enum class Notation { A1, R1C1 };
// Accepts a leading "=". Several areas may each carry the same sheet prefix
// ("=Data!A1:A2,Data!C1:C2"). Empty when it does not parse or names two sheets.
std::optional<SheetReference> parseReference(const QString& text, Notation notation = Notation::A1);

// "Data" -> "Data", "My data" -> "'My data'": the sheet part of a formula.
QString quoteSheetName(const QString& sheet);

}  // namespace office

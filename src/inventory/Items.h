#pragma once

// The exportable items of the active workbook: embedded charts, chart sheets and named ranges.

#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

#include "office/Excel.h"

namespace inventory {

// Counts are 16-bit in the stored format; more items than this cannot be listed.
inline constexpr int MaxItems = 32767;

inline const QString ChartSheetText = QStringLiteral("{Chart Sheet}");
inline const QString TypeEmbedded = QStringLiteral("Embedded");
inline const QString TypeChart = QStringLiteral("Chart");
inline const QString TypeRange = QStringLiteral("Range");
inline const QString OrderNew = QStringLiteral("New");

// Sheet and names the program keeps in the user's workbook; never items.
inline const QString StateSheetName = QStringLiteral("kukukukuVovezuv");
inline const QString ReservedName1 = QStringLiteral("CorvaneReservedName01");
inline const QString ReservedName2 = QStringLiteral("CorvaneReservedName02");
inline const QString ReservedName3 = QStringLiteral("AllVovezuv11111");

// One row of the Item table.
struct Item {
    QString name;        // chart object name, "{Chart Sheet}" or the name without its sheet prefix
    QString sheet;       // the sheet that holds it
    QString slide;       // slide number, empty
    int sheetOrder = 0;  // the sheet's Index
    bool checked = true;
    QString type;   // "Embedded", "Chart" or "Range"
    QString order;  // empty, or "New"
    QString key;    // name followed directly by sheet: the one link to the state sheet and list
};
using ItemTable = std::vector<Item>;

inline QString itemKey(const QString& name, const QString& sheet) {
    return name + sheet;
}

class TooManyItems : public std::runtime_error {
  public:
    TooManyItems() : std::runtime_error("too many items") {}
};

// The counting pass: every chart object on every worksheet, every chart sheet and every name
// with a range except the reserved ones, whatever their visibility. Not limited to MaxItems:
// the caller decides what a larger count means.
int CountItems(office::Excel& excel, office::Workbook& workbook);

// Called after each row is appended, with the new row.
using AfterRow = std::function<void(Item&)>;

// The fill pass: appends the visible items to `table` (embedded charts sheet by sheet, then
// chart sheets, then named ranges in the order of the workbook's names). Throws TooManyItems
// before the table would pass MaxItems rows.
void BuildItemTable(office::Excel& excel, office::Workbook& workbook, ItemTable& table,
                    const AfterRow& afterRow = {});

// The part of a name after its last "!", computed with the office's worksheet functions.
QString nameWithoutSheet(office::Excel& excel, const QString& name);

// Whether the named range `name` looked up on `sheet` has more than one area; false when it
// cannot be looked up.
bool isMultiAreaRange(office::Workbook& workbook, const QString& sheet, const QString& name);

}  // namespace inventory

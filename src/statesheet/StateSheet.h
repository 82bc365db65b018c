#pragma once

// The state sheet: the user's choices for a workbook (checks, order, slide numbers, captions)
// kept in a very hidden worksheet of that workbook, matched to the items by their keys.

#include <QString>
#include <functional>
#include <vector>

#include "inventory/Items.h"
#include "office/Excel.h"
#include "office/OfficeContext.h"

namespace platform {
class Prompt;
}

namespace statesheet {

using inventory::ReservedName1;
using inventory::ReservedName2;
using inventory::StateSheetName;

inline const QString ReservedName1Formula = QStringLiteral("=kukukukuVovezuv!C1:C8");
inline const QString ReservedName2Formula = QStringLiteral("=kukukukuVovezuv!R23C15:R30C22");

// Column numbers of an item row.
namespace col {
inline constexpr int Name = 1, Sheet = 2, Slide = 3, SheetOrder = 4, Checked = 5, Type = 6,
                     Order = 7, Key = 8, Caption = 20;
}

// Run-wide flags of the state sheet.
struct Flags {
    bool firstUse = false;        // the sheet held no item rows when this run began
    QString startChartSheetName;  // the chart sheet that was active at inventory time
};

// The splash's progress while the Item table is built.
class LoadProgress {
  public:
    virtual ~LoadProgress() = default;
    virtual void setTotal(int total) = 0;
    virtual void showBar() = 0;
    virtual void advance() = 0;
};

// One item row as stored, and as a list row is written back.
struct StoredRow {
    int row = 0;  // the state-sheet row it came from
    QString name, sheet, slide, sheetOrder;
    bool checked = false;
    QString type, order, key, caption;
    bool multiArea = false;  // a named range of several areas: never checkable
};

// The main form's list, as filled from the state sheet.
class ListSink {
  public:
    virtual ~ListSink() = default;
    virtual void addRow(const StoredRow& row) = 0;
    virtual int checkedCount() const = 0;
    // 0 clear, 1 checked, 2 grey; set without the select-all reaction.
    virtual void setSelectAll(int state) = 0;
    virtual void showPreview() = 0;
};

// What the fill needs from the run.
struct Session {
    office::OfficeContext& office;
    inventory::ItemTable& items;
    Flags& flags;
    LoadProgress& progress;
};

bool SheetExists(const office::Workbook* workbook, const QString& name);

// The batch-mode entry: refuses a protected workbook without a state sheet, creates the sheet
// and its reserved names when missing, then calls `showForm`. False when refused.
bool OpenMainForm(office::OfficeContext& office, platform::Prompt& prompt,
                  const std::function<void()>& showForm);

// Builds the Item table and merges it into the state sheet: new items appended checked.
void SyncStateSheet(Session& session);
// Deletes the rows of items that no longer exist; J2:P2 and the layout cells keep their values.
void PurgeStaleRows(Session& session);
// Runs both, then hands every stored row to the list.
void FillListFromStateSheet(Session& session, ListSink& list);

// What the main form's close writes: the list in display order.
void SaveListToStateSheet(office::Workbook& workbook, const std::vector<StoredRow>& rows);

// The item rows as stored: rows 1 to the end of the current region of A1.
std::vector<StoredRow> readStoredRows(office::Workbook& workbook);

}  // namespace statesheet

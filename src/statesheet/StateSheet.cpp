#include "statesheet/StateSheet.h"

#include <QStringList>
#include <algorithm>
#include <unordered_set>

#include "office/Error.h"
#include "platform/Prompt.h"

namespace statesheet {

namespace {

using office::Value;

const QString ProtectionWarning = QStringLiteral(
    "              The workbook looks protected\r\rPlease remove the protection and reopen "
    "Corvane\rAfter that you may reprotect the workbook.\rThe message will not longer appear");

// Longest row-deletion address handed to the office in one call: the longest reference a
// formula can hold.
constexpr int MaxAddressLength = 8192;

std::shared_ptr<office::Sheet> stateSheet(office::Workbook& wb) {
    auto s = wb.worksheet(StateSheetName);
    if (!s) throw office::Error(office::errors::NotFound, QStringLiteral("Subscript out of range"));
    return s;
}

int storedRowCount(office::Sheet& sheet) {
    return sheet.currentRegion(1, 1).bottom;
}

Value text(const QString& s) {
    return s.isEmpty() ? Value{} : Value{s};
}

// Numbers stay numbers in the number-formatted columns.
Value numberOrText(const QString& s) {
    bool ok = false;
    double d = s.toDouble(&ok);
    return ok ? Value{d} : text(s);
}

office::Row itemColumns(const inventory::Item& item) {
    return {text(item.name),     text(item.sheet), text(item.slide), Value{double(item.sheetOrder)},
            Value{item.checked}, text(item.type),  text(item.order), text(item.key)};
}

std::unordered_set<QString> keysOf(const inventory::ItemTable& items) {
    std::unordered_set<QString> keys;
    keys.reserve(items.size());
    for (const auto& it : items) keys.insert(it.key);
    return keys;
}

// Areas of consecutive stale rows, split so no address passes what the office takes at once.
std::vector<std::vector<office::CellRect>> deletionChunks(const std::vector<int>& rows) {
    std::vector<office::CellRect> areas;
    for (int r : rows) {
        if (!areas.empty() && areas.back().bottom + 1 == r)
            areas.back().bottom = r;
        else
            areas.push_back(office::CellRect{r, 1, r, 1});
    }
    std::vector<std::vector<office::CellRect>> chunks;
    int length = 0;
    for (const auto& a : areas) {
        const int add = static_cast<int>(office::formatAddress(a).size()) + 1;
        if (chunks.empty() || length + add > MaxAddressLength) {
            chunks.emplace_back();
            length = 0;
        }
        chunks.back().push_back(a);
        length += add;
    }
    return chunks;
}

// The item is new when no stored row has its key.
void MarkIfNew(inventory::Item& item, const std::unordered_set<QString>& storedKeys) {
    if (!storedKeys.contains(item.key)) item.order = inventory::OrderNew;
}

void selectStartSheet(office::OfficeContext& office) {
    if (auto s = office.workbook->sheet(office.startSheetName)) s->select();
}

}  // namespace

bool SheetExists(const office::Workbook* workbook, const QString& name) {
    if (!workbook) return false;
    try {
        auto s = workbook->worksheet(name);
        return s && !s->name().isEmpty();
    } catch (const office::Error&) {
        return false;
    }
}

bool OpenMainForm(office::OfficeContext& office, platform::Prompt& prompt,
                  const std::function<void()>& showForm) {
    auto& wb = *office.workbook;
    office.excel->setScreenUpdating(true);
    const bool exists = SheetExists(&wb, StateSheetName);
    if (!exists && wb.protectStructure()) {
        prompt.warn(ProtectionWarning);
        return false;
    }
    if (!exists) {
        auto sheet = wb.addWorksheet();
        sheet->setName(StateSheetName);
        wb.addName(ReservedName1, ReservedName1Formula);
        sheet->range(QStringLiteral("A:H")).setNumberFormat(QStringLiteral("@"));
        sheet->range(QStringLiteral("D:E")).setNumberFormat(QStringLiteral("0"));
        wb.addName(ReservedName2, ReservedName2Formula);
        sheet->setVisible(office::xlSheetVeryHidden);
    }
    if (showForm) showForm();
    return true;
}

void SyncStateSheet(Session& s) {
    auto& excel = *s.office.excel;
    auto& wb = *s.office.workbook;
    auto sheet = stateSheet(wb);

    excel.setScreenUpdating(true);
    s.progress.setTotal(s.office.itemCount);
    s.office.itemCount = 0;
    excel.setScreenUpdating(false);

    if (office::isEmpty(sheet->cell(1, col::Name))) s.flags.firstUse = true;

    // A sheet written without item keys cannot be matched: start again as on first use.
    if (!s.flags.firstUse && office::isEmpty(sheet->cell(1, col::Key))) {
        sheet->setVisible(office::xlSheetVisible);
        sheet->select();
        sheet->cells().select();
        sheet->cells().clearContents();
        sheet->setVisible(office::xlSheetVeryHidden);
    }

    sheet->setVisible(office::xlSheetVisible);
    s.progress.showBar();

    // The inventory wants a worksheet active; remember the chart sheet to come back to.
    if (auto active = wb.activeSheet(); active && active->type() != office::xlWorksheet) {
        s.flags.startChartSheetName = active->name();
        const auto sheets = wb.sheets();
        for (int i = 2; i <= std::min<int>(1500, static_cast<int>(sheets.size())); ++i) {
            if (sheets[i - 1]->type() == office::xlWorksheet) {
                sheets[i - 1]->select();
                break;
            }
        }
    }

    // Keys already stored, looked up once instead of rescanning column H per item.
    std::unordered_set<QString> storedKeys;
    if (!s.flags.firstUse) {
        const int rows = storedRowCount(*sheet);
        for (const auto& row : sheet->read(office::CellRect{1, col::Key, rows, col::Key}))
            storedKeys.insert(office::toText(row[0]));
    }
    s.items.clear();
    inventory::BuildItemTable(excel, wb, s.items, [&](inventory::Item& item) {
        if (!s.flags.firstUse) MarkIfNew(item, storedKeys);
        s.progress.advance();
    });
    s.office.itemCount = static_cast<int>(s.items.size());

    if (office::isEmpty(sheet->cell(1, col::Name))) {
        s.flags.firstUse = true;
        office::Grid grid;
        grid.reserve(s.items.size());
        for (const auto& item : s.items) grid.push_back(itemColumns(item));
        if (!grid.empty()) sheet->write(1, 1, grid);
    }

    const int rows = storedRowCount(*sheet);
    if (!office::isEmpty(sheet->cell(1, col::Name)) && !s.flags.firstUse) {
        office::Grid grid;
        for (const auto& item : s.items) {
            if (item.order != inventory::OrderNew) continue;
            grid.push_back({text(item.name), text(item.sheet), text(item.slide),
                            Value{double(item.sheetOrder)}, Value{true}, text(item.type),
                            Value{double(rows + 1)}, text(item.key)});
        }
        if (!grid.empty()) sheet->write(rows + 1, 1, grid);
    }
    excel.setScreenUpdating(true);
}

void PurgeStaleRows(Session& s) {
    auto& wb = *s.office.workbook;
    auto sheet = stateSheet(wb);
    sheet->setVisible(office::xlSheetVisible);

    const office::CellRect kept{2, 10, 2, 16};    // J2:P2
    const office::CellRect layout{1, 15, 1, 18};  // O1:R1, the stored layout
    const office::Grid keptValues = sheet->read(kept);
    const office::Grid layoutValues = sheet->read(layout);
    sheet->clearContents(kept);

    if (auto used = sheet->usedRange()) {
        const auto keys = keysOf(s.items);
        std::vector<int> stale;
        const auto column =
            sheet->read(office::CellRect{used->top, col::Key, used->bottom, col::Key});
        for (int i = 0; i < static_cast<int>(column.size()); ++i)
            if (!keys.contains(office::toText(column[i][0]))) stale.push_back(used->top + i);
        if (!stale.empty()) {
            sheet->select();
            // Bottom chunk first, so the row numbers of the chunks above stay valid.
            auto chunks = deletionChunks(stale);
            for (auto it = chunks.rbegin(); it != chunks.rend(); ++it) {
                office::Range range(sheet, *it);
                range.select();
                range.deleteEntireRows();
            }
            sheet->write(layout.top, layout.left, layoutValues);
        }
    }
    sheet->write(kept.top, kept.left, keptValues);
    sheet->setVisible(office::xlSheetVeryHidden);
}

std::vector<StoredRow> readStoredRows(office::Workbook& wb) {
    auto sheet = stateSheet(wb);
    std::vector<StoredRow> out;
    if (office::isEmpty(sheet->cell(1, col::Name)) && office::isEmpty(sheet->cell(1, col::Key)))
        return out;
    const int rows = storedRowCount(*sheet);
    const auto grid = sheet->read(office::CellRect{1, 1, rows, col::Caption});
    out.reserve(grid.size());
    for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
        const auto& g = grid[i];
        auto t = [&](int c) { return office::toText(g[c - 1]); };
        StoredRow r;
        r.row = i + 1;
        r.name = t(col::Name);
        r.sheet = t(col::Sheet);
        r.slide = t(col::Slide);
        r.sheetOrder = t(col::SheetOrder);
        r.checked = office::toBool(g[col::Checked - 1]);
        r.type = t(col::Type);
        r.order = t(col::Order);
        r.key = t(col::Key);
        r.caption = t(col::Caption);
        out.push_back(std::move(r));
    }
    return out;
}

void FillListFromStateSheet(Session& s, ListSink& list) {
    auto& excel = *s.office.excel;
    auto& wb = *s.office.workbook;
    excel.setScreenUpdating(false);
    SyncStateSheet(s);
    PurgeStaleRows(s);

    for (StoredRow& row : readStoredRows(wb)) {
        if (row.type == inventory::TypeRange)
            row.multiArea = inventory::isMultiAreaRange(wb, row.sheet, row.name);
        list.addRow(row);
    }
    stateSheet(wb)->setVisible(office::xlSheetVeryHidden);

    const int checked = list.checkedCount();
    const int total = static_cast<int>(s.items.size());
    list.setSelectAll(checked == 0 ? 0 : checked == total ? 1 : 2);

    selectStartSheet(s.office);
    excel.setScreenUpdating(true);
    list.showPreview();
}

void SaveListToStateSheet(office::Workbook& wb, const std::vector<StoredRow>& rows) {
    auto sheet = stateSheet(wb);
    // The reserved name spans columns A to H; captions in T and everything else stay.
    if (auto n = wb.findName(ReservedName1)) {
        n->refersToRange().clearContents();
    } else {
        sheet->clearContents(office::CellRect{1, 1, office::MaxRows, col::Key});
    }
    office::Grid items, captions;
    items.reserve(rows.size());
    captions.reserve(rows.size());
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const auto& r = rows[i];
        items.push_back({text(r.name), text(r.sheet), text(r.slide), numberOrText(r.sheetOrder),
                         Value{r.checked}, text(r.type), Value{double(i + 1)}, text(r.key)});
        captions.push_back({text(r.caption)});
    }
    if (rows.empty()) return;
    sheet->write(1, 1, items);
    sheet->write(1, col::Caption, captions);
}

}  // namespace statesheet

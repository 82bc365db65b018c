#include "inventory/Items.h"

#include "office/Error.h"

namespace inventory {

namespace {

bool isReservedName(const QString& name) {
    return name == ReservedName1 || name == ReservedName2 || name == ReservedName3;
}

void append(ItemTable& table, Item item, const AfterRow& afterRow) {
    if (static_cast<int>(table.size()) >= MaxItems) throw TooManyItems();
    item.key = itemKey(item.name, item.sheet);
    table.push_back(std::move(item));
    if (afterRow) afterRow(table.back());
}

void CollectEmbeddedCharts(office::Workbook& wb, ItemTable& table, const AfterRow& afterRow) {
    for (const auto& ws : wb.worksheets()) {
        if (ws->visible() != office::xlSheetVisible) continue;
        const auto charts = ws->chartObjects();
        if (charts.empty()) continue;
        const QString sheet = ws->name();
        const int index = ws->index();
        // Hidden chart objects are items too.
        for (const auto& co : charts)
            append(table, Item{co->name(), sheet, {}, index, true, TypeEmbedded, {}, {}}, afterRow);
    }
}

void CollectChartSheets(office::Workbook& wb, ItemTable& table, const AfterRow& afterRow) {
    for (const auto& cs : wb.charts()) {
        if (cs->visible() != office::xlSheetVisible) continue;
        append(table, Item{ChartSheetText, cs->name(), {}, cs->index(), true, TypeChart, {}, {}},
               afterRow);
    }
}

// Errors are ignored name by name: a name that cannot be resolved is skipped.
void CollectNamedRanges(office::Excel& excel, office::Workbook& wb, ItemTable& table,
                        const AfterRow& afterRow) {
    std::vector<std::shared_ptr<office::Name>> names;
    try {
        names = wb.names();
    } catch (const office::Error&) {
        return;
    }
    for (const auto& n : names) {
        Item item;
        try {
            const QString fullName = n->name();
            const office::Range range = n->refersToRange();
            const QString sheetName = range.worksheet().name();
            // The range must lie in this workbook, on a visible sheet that is not ours.
            auto sheet = wb.sheet(sheetName);
            if (!sheet || sheet != range.sheet()) continue;
            if (!n->visible() || sheetName == StateSheetName) continue;
            if (sheet->visible() != office::xlSheetVisible) continue;
            item = Item{fullName.contains('!') ? nameWithoutSheet(excel, fullName) : fullName,
                        sheetName,
                        {},
                        sheet->index(),
                        true,
                        TypeRange,
                        {},
                        {}};
        } catch (const office::Error&) {
            continue;
        }
        append(table, std::move(item), afterRow);
    }
}

}  // namespace

int CountItems(office::Excel& excel, office::Workbook& wb) {
    excel.setScreenUpdating(true);
    int count = 0;
    for (const auto& ws : wb.worksheets()) count += static_cast<int>(ws->chartObjects().size());
    count += static_cast<int>(wb.charts().size());
    try {
        for (const auto& n : wb.names()) {
            try {
                const QString name = n->name();
                (void)n->refersToRange();
                if (!isReservedName(name)) ++count;
            } catch (const office::Error&) {
            }
        }
    } catch (const office::Error&) {
    }
    excel.setScreenUpdating(true);
    return count;
}

void BuildItemTable(office::Excel& excel, office::Workbook& workbook, ItemTable& table,
                    const AfterRow& afterRow) {
    CollectEmbeddedCharts(workbook, table, afterRow);
    CollectChartSheets(workbook, table, afterRow);
    CollectNamedRanges(excel, workbook, table, afterRow);
}

QString nameWithoutSheet(office::Excel& excel, const QString& name) {
    const int len = static_cast<int>(name.size());
    const QString spaced =
        excel.substitute(name, QStringLiteral("!"), excel.rept(QStringLiteral(" "), len));
    return excel.trim(spaced.right(len));
}

bool isMultiAreaRange(office::Workbook& workbook, const QString& sheet, const QString& name) {
    try {
        // A sheet-level name on that sheet first, then the workbook-level one.
        auto n = workbook.findName(office::quoteSheetName(sheet) + '!' + name);
        if (!n) n = workbook.findName(name);
        return n && n->refersToRange().areaCount() > 1;
    } catch (const office::Error&) {
        return false;
    }
}

}  // namespace inventory

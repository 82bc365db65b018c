#include "images/ExportRun.h"

#include "inventory/Items.h"
#include "office/Error.h"

namespace images {

void ExportRun::advance() {
    if (progress) progress->AdvanceExportProgress(state.progress.exportDone, state.exportCount);
}

void ExportRun::finish() {
    if (state.office.excel)
        office::ignoreErrors([&] { state.office.excel->setScreenUpdating(true); });
    if (progress) progress->close();
    if (closeMainForm) closeMainForm();
}

bool sheetVisible(const run::RunState& state, const QString& sheet) {
    bool visible = false;
    if (!state.office.workbook) return false;
    office::ignoreErrors([&] {
        auto s = state.office.workbook->sheet(sheet);
        visible = s && s->visible() == office::xlSheetVisible;
    });
    return visible;
}

office::Range namedRange(const run::RunState& state, const run::ListRow& row) {
    const auto& wb = state.office.workbook;
    if (!wb) throw office::Error(office::errors::ObjectRequired, QStringLiteral("Object required"));
    // Looked up on its sheet first, then as a workbook name.
    auto name = wb->findName(office::quoteSheetName(row.sheet()) + '!' + row.text);
    if (!name) name = wb->findName(row.text);
    if (!name)
        throw office::Error(office::errors::NotFound,
                            QStringLiteral("The item could not be found"));
    return name->refersToRange();
}

void copyItem(const run::RunState& state, const run::ListRow& row) {
    const auto& ctx = state.office;
    if (!ctx.workbook || !ctx.excel)
        throw office::Error(office::errors::ObjectRequired, QStringLiteral("Object required"));
    auto sheet = ctx.workbook->sheet(row.sheet());
    if (!sheet)
        throw office::Error(office::errors::NotFound, QStringLiteral("Subscript out of range"));
    if (row.text == inventory::ChartSheetText) {
        sheet->chart()->copy();
    } else if (row.type() == inventory::TypeEmbedded) {
        for (const auto& co : sheet->chartObjects())
            if (co->name() == row.text) return co->chart()->copy();
        throw office::Error(office::errors::NotFound, QStringLiteral("Subscript out of range"));
    } else {
        namedRange(state, row).copy();
    }
}

QString itemLabel(const run::ListRow& row) {
    return row.text + QStringLiteral(" (") + row.sheet() + ')';
}

}  // namespace images

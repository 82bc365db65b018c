#pragma once

// What every file export (image files, PDF, web page) works with: the run, the main form's list,
// the progress window it advances, and the main form it closes at the end.

#include <QPointer>
#include <QString>
#include <functional>

#include "chrome/ProgressWindow.h"
#include "run/ItemList.h"
#include "run/RunState.h"
#include "run/Services.h"

namespace images {

struct ExportRun {
    run::Services& services;
    run::RunState& state;
    run::ItemList& list;
    QPointer<chrome::ProgressWindow> progress;  // none in selection exports
    std::function<void()> closeMainForm;        // unloads the main form; may be empty

    // AdvanceExportProgress, when a progress window shows.
    void advance();
    // Screen updating on, the progress window and the main form closed.
    void finish();
};

// True when the row's sheet exists in the active workbook and is visible; false on any error.
bool sheetVisible(const run::RunState& state, const QString& sheet);

// The range a named-range row stands for. Throws office::Error.
office::Range namedRange(const run::RunState& state, const run::ListRow& row);

// Copies a list row's item: a chart sheet's chart area, a chart object, or a named range.
// Throws office::Error when the office refuses.
void copyItem(const run::RunState& state, const run::ListRow& row);

// The item's name and sheet as the user knows them, for messages.
QString itemLabel(const run::ListRow& row);

}  // namespace images

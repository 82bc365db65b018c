#pragma once

// The batch export to slides: every checked item of a visible sheet, in list order, onto new
// title-only slides or onto the slides the rows name.

#include <QString>
#include <functional>

#include "run/FormLink.h"
#include "run/ItemList.h"
#include "run/RunState.h"
#include "run/Services.h"

namespace chrome {
class ProgressWindow;
}

namespace powerpoint {

// What the export needs of the main form.
using MainFormLink = run::FormLink;

// The three options of the export dialog.
struct SlideExportOptions {
    bool captionsAsTitles = false;
    bool sourceLabel = false;
    bool shadow = false;
};

// Errors ignored: an empty clipboard, no slide show, the view type saved.
void ReadSlideExportOptions(run::Services& services, run::RunState& state);

// The source label at the bottom of the slide in view: the workbook's full path.
void AddSourceLabel(run::Services& services, run::RunState& state);

// Runs the export. The progress window, when given, advances per item and is closed at the end.
// A failure or a range of several areas stops the export with a message; the spreadsheet, the
// main form and the progress window are then given back as they were before it started. True
// when every item was exported.
bool ExportCheckedItemsToSlides(run::Services& services, run::RunState& state, MainFormLink& form,
                                const SlideExportOptions& options,
                                chrome::ProgressWindow* progress);

// The slide number of a row as a whole number: empty reads as 0; throws for text that is no
// number.
int SlideNumber(const QString& text);

}  // namespace powerpoint

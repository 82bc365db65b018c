#pragma once

// The export of what is selected in the spreadsheet onto the slide PowerPoint shows, and the two
// tests that decide whether a PowerPoint export can start at all.

#include "run/RunState.h"
#include "run/Services.h"

namespace powerpoint {

// Errors ignored: whether a PowerPoint is running.
bool IsPowerPointRunning(run::Services& services);

// Attaches the context's PowerPoint (errors ignored), then whether it has a presentation open;
// that question's errors reach the caller.
bool HasOpenPresentation(run::Services& services, run::RunState& state);

// Errors ignored: an empty clipboard, no slide show, the normal view (the view type before it
// saved).
void PrepareSlideView(run::Services& services, run::RunState& state);

// Copies the spreadsheet's selection and pastes it with that paste format onto the slide in
// view, placed by the layout settings. Errors of the copy, paste and placement reach the caller.
void ExportSelectionToPowerPoint(run::Services& services, run::RunState& state, int mode);

// The message when there is no PowerPoint with a presentation to export to.
extern const QString NoPowerPointText;
extern const QString MultipleSelectionText;

}  // namespace powerpoint

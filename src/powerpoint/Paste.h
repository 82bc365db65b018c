#pragma once

// The paste of a copied item onto the target slide, by paste format: 0 picture, 1 editable
// object keeping the source formatting, 2 embedded object, 3 linked object.

#include <QString>

#include "run/RunState.h"
#include "run/Services.h"

namespace powerpoint {

// Older PowerPoint: a version below 15.
bool IsOlderPowerPoint(const QString& version);

// Pastes the clipboard onto the slide of the current slide index. An item kind other than
// "Range" is a chart. Errors reach the caller.
void PasteIntoSlide(run::Services& services, run::RunState& state, int pasteFormat,
                    const QString& itemKind);

// PowerPoint's "PasteSourceFormatting" command on that slide.
void PasteKeepingSourceFormatting(run::Services& services, int slideIndex);

}  // namespace powerpoint

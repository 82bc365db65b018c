#pragma once

// Selection export to the word processor: whatever is selected in the spreadsheet, pasted at
// the insertion point of the active document.

#include <memory>

#include "office/Word.h"
#include "run/RunState.h"
#include "run/Services.h"

namespace word {

// The running word processor when it has a document; otherwise tells the user and gives null.
std::shared_ptr<office::Word> AttachWord(run::Services& services);

void PasteSelectionPicture(run::Services& services, run::RunState& state);
void PasteSelectionEmbedded(run::Services& services, run::RunState& state);
void PasteSelectionLinked(run::Services& services, run::RunState& state);
void PasteSelectionEditable(run::Services& services, run::RunState& state);
void PasteSelectionTable(run::Services& services, run::RunState& state);

// The command codes "/512", "/612", "/712", "/812": 0 picture, 1 embedded, 2 linked, 3 table.
void PasteSelectionForCode(run::Services& services, run::RunState& state, int kind);
// The main form's express paste by its paste format code: 0 picture, 1 editable,
// 2 embedded, 3 linked.
void PasteSelectionForFormat(run::Services& services, run::RunState& state, int pasteFormat);

}  // namespace word

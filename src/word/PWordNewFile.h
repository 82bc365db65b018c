#pragma once

// Batch export to the word processor: the checked rows of the list, in list order, each on a
// page of its own at the end of the active document.

#include <memory>

#include "office/Word.h"
#include "run/ItemList.h"
#include "run/RunState.h"
#include "run/Services.h"

namespace chrome {
class ProgressWindow;
}

namespace word {

class DialogWord;

// The main form as the Word export sees it.
class MainForm {
  public:
    virtual ~MainForm() = default;
    virtual run::ItemList& list() = 0;
    virtual void minimise() = 0;
    virtual void restore() = 0;
    virtual void close() = 0;  // stores the list and ends the run's windows
};

// What one Word export works with.
struct WordRun {
    run::Services& services;
    run::RunState& state;
    std::shared_ptr<MainForm> form;
    chrome::ProgressWindow* progress = nullptr;  // advanced once per item when set
};

// Attaches the word processor, checks its document, counts the checked rows and opens the
// dialog, modeless; null when it stops with a message.
DialogWord* StartWordExport(WordRun& run);

// The four export operations, for paste format codes 0 to 3.
void ExportPicturesToWord(WordRun& run);
void ExportEditableToWord(WordRun& run);
void ExportEmbeddedToWord(WordRun& run);
void ExportLinkedToWord(WordRun& run);
// The one for a paste format code.
void ExportToWord(WordRun& run, int pasteFormat);

// Appends a page-break paragraph and an empty one at the end of the active document and puts
// the insertion point at the very end.
void StartNewPage(office::Word& word);

// Sizing, caption and shadow of the item just pasted inline. `inlineBefore` is the number of
// inline shapes before the paste: sizing and shadow are for a shape the paste added.
void FinishInlineItem(office::Word& word, const run::RunState& state, const QString& caption,
                      int inlineBefore);
// Sizing of the item just pasted as a floating shape, when the paste added one.
void FitFloatingItem(office::Word& word, int floatingBefore);

}  // namespace word

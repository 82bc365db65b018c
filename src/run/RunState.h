#pragma once

// The run-wide records, created once by main and passed on; every test builds its own.

#include "inventory/Items.h"
#include "office/OfficeContext.h"
#include "office/Word.h"
#include "statesheet/StateSheet.h"

namespace run {

struct ProgressCounts {
    int loadTotal = 0;
    int loadDone = 0;  // never reset during a run
    int exportTotal = 0;
    int exportDone = 0;
};

struct RunState {
    office::OfficeContext office;
    inventory::ItemTable items;
    statesheet::Flags stateSheet;
    ProgressCounts progress;
    int countedItems = 0;  // the counting pass's result, as the main form shows it

    // Set by the main form, read by the exports.
    bool mainFormOpen = false;
    int pasteFormat = 0;  // 0 picture, 1 editable, 2 embedded, 3 linked
    int exportCount = 0;  // rows the launched export will process
    QString slideNumberWarning;

    // Word export: the running word processor, attached for one export and released at its
    // end, and the options its dialog stores (each 0 or 1).
    std::shared_ptr<office::Word> word;
    int wordSameWidth = 0;
    int wordCaption = 0;
    int wordShadow = 0;
};

}  // namespace run

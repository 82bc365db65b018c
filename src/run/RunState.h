#pragma once

// The run-wide records, created once by main and passed on; every test builds its own.

#include "inventory/Items.h"
#include "office/OfficeContext.h"
#include "office/Value.h"
#include "office/Word.h"
#include "statesheet/StateSheet.h"

namespace run {

struct ProgressCounts {
    int loadTotal = 0;
    int loadDone = 0;  // never reset during a run
    int exportTotal = 0;
    int exportDone = 0;
};

// What the web export dialog stores before the export starts.
struct WebExportSettings {
    double pictureWidth = 700;  // pixels: the width size factor x 1000 / 100
    double blankLines = 10;     // a whole number
    int titles = 1;             // captions as titles
    int sameWidth = 1;          // 1 builds the page, 0 lets the spreadsheet publish it
    int autoUpdate = 0;         // republish when the workbook is saved
};

// What the PDF dialog passes to its export.
struct PdfExportSettings {
    double sizeFactor = 70;  // percent of the largest picture size
    bool cover = false;
    QString coverText;
    bool captions = true;
    bool open = true;
    bool source = false;
    QString chosenFile;  // empty: the next free numbered file
};

// The PowerPoint export: where the paste goes, and whether it placed itself.
struct PowerPointRun {
    int currentSlideIndex = 0;
    bool placementDone = false;
    int savedViewType = 0;
    qint64 lockedWindow = 0;  // PowerPoint's main window while its drawing is stopped
};

// The layout settings in memory. Top and width hold numbers once read; the horizontal setting a
// number or the text "Default". Empty at start.
struct LayoutSettings {
    office::Value top, width, horizontal;
    double titleTop = 0, titleHeight = 0;
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

    // File exports: the image folder of this run (empty until an image export or a chosen
    // destination sets it) and the web and PDF settings their dialogs store.
    QString imageExportFolder;
    WebExportSettings web;
    PdfExportSettings pdf;

    // PowerPoint export: run state, picture style (0 none), layout settings in memory.
    PowerPointRun powerPoint;
    int pictureStyle = 0;
    LayoutSettings layout;
};

}  // namespace run

#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "mainform/Exports.h"
#include "run/RunState.h"
#include "run/Services.h"
#include "startup/CorvaneLoad.h"

namespace mainform {
class UserformObj;
}

namespace startup {

struct Run;

// Handlers of codes that the feature folders provide. An empty one tells the user that this
// build does not have it yet, rather than doing nothing.
struct Features {
    std::function<void(Run&)> showMainForm;
    std::function<void(Run&)> showLayoutForm;
    std::function<void(Run&)> showAbout;
    std::function<void(Run&, int pasteFormat)> selectionToPowerPoint;  // 0 picture .. 3 linked
    std::function<void(Run&, int kind)>
        selectionToWord;  // 0 picture, 1 embedded, 2 linked, 3 table
    std::function<void(Run&, int pasteFormat)> expressPasteToWord;  // 0 picture .. 3 linked
    std::function<void(Run&)> selectionToImageFile;

    // The main form's "Continue" per destination (the form has set the export count).
    std::function<void(Run&)> powerPointDialog;
    std::function<void(Run&)> wordExport;  // checks the word processor, counts, opens its dialog
    std::function<void(Run&)> webDialog;
    std::function<void(Run&)> pdfDialog;
    std::function<void(Run&)> imageFilesDialog;

    // The main form closes: each feature closes the windows it opened.
    std::vector<std::function<void(Run&)>> closeWindows;
};

// Everything one run works with.
struct Run {
    run::Services& services;
    run::RunState& state;
    Features& features;
    std::unique_ptr<CorvaneLoad> splash;
    std::unique_ptr<mainform::Exports> exports;  // what the main form launches
    QPointer<mainform::UserformObj> mainForm;    // while it is open
};

}  // namespace startup

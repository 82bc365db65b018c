#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "mainform/Exports.h"
#include "run/RunState.h"
#include "run/Services.h"
#include "startup/CorvaneLoad.h"

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
    std::function<void(Run&)> selectionToImageFile;
};

// Everything one run works with.
struct Run {
    run::Services& services;
    run::RunState& state;
    Features& features;
    std::unique_ptr<CorvaneLoad> splash;
    std::unique_ptr<mainform::Exports> exports;  // what the main form launches
};

}  // namespace startup

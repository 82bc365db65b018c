#pragma once

// The office suite the program works beside: the one door to the spreadsheet,
// presentation and word-processor applications.

#include <memory>

#include "office/Clipboard.h"
#include "office/Error.h"
#include "office/Excel.h"
#include "office/PowerPoint.h"
#include "office/Word.h"

namespace platform {
class Pacer;
}

namespace office {

class Host {
  public:
    virtual ~Host() = default;

    // The running application; throws Error (errors::NotRunning) when it is not running.
    // Attaching never starts an application, and the same instance comes back for the whole run.
    virtual std::shared_ptr<Excel> attachExcel() = 0;
    virtual std::shared_ptr<PowerPoint> attachPowerPoint() = 0;
    virtual std::shared_ptr<Word> attachWord() = 0;

    // Where the office's copies land.
    virtual Clipboard& clipboard() = 0;

    // How long to give this office for asynchronous work.
    virtual platform::Pacer& pacer() = 0;

    // The run ends: the host writes out what it must (the built-in office its dump).
    virtual void finish() {}
};

}  // namespace office

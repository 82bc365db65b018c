#pragma once

#include "platform/Pacer.h"
#include "run/RunState.h"
#include "statesheet/StateSheet.h"

namespace chrome {
class ProgressBar;
}

namespace startup {

// The load progress on the splash's bar: one step per item row, events let through each time.
class SplashProgress : public statesheet::LoadProgress {
  public:
    SplashProgress(run::ProgressCounts& counts, chrome::ProgressBar* bar, platform::Pacer& pacer)
        : counts_(counts), bar_(bar), pacer_(pacer) {}
    void setTotal(int total) override { counts_.loadTotal = total; }
    void showBar() override;
    void advance() override;  // AdvanceLoadProgress

  private:
    run::ProgressCounts& counts_;
    chrome::ProgressBar* bar_;  // may be null: no splash
    platform::Pacer& pacer_;
};

}  // namespace startup

#include "startup/SplashProgress.h"

#include "chrome/BarStep.h"
#include "chrome/ProgressBar.h"

namespace startup {

void SplashProgress::showBar() {
    if (bar_) bar_->setVisible(true);
}

void SplashProgress::advance() {
    ++counts_.loadDone;
    if (bar_) chrome::stepBar(*bar_, counts_.loadDone, counts_.loadTotal);
    pacer_.processEvents(1);
}

}  // namespace startup

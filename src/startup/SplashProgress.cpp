#include "startup/SplashProgress.h"

#include <QProgressBar>

#include "startup/Progress.h"

namespace startup {

void SplashProgress::showBar() {
    if (bar_) bar_->setVisible(true);
}

void SplashProgress::advance() {
    ++counts_.loadDone;
    if (bar_) stepBar(*bar_, counts_.loadDone, counts_.loadTotal);
    pacer_.processEvents(1);
}

}  // namespace startup

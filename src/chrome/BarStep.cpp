#include "chrome/BarStep.h"

#include <algorithm>

#include "chrome/ProgressBar.h"

namespace chrome {

int barPercent(int done, int total) {
    if (total <= 0) return 0;
    return static_cast<int>(
        std::clamp<long long>(static_cast<long long>(done) * 100 / total, 0, 100));
}

void stepBar(ProgressBar& bar, int done, int total) {
    const int percent = barPercent(done, total);
    bar.setValue(percent);
    bar.setCaption(QStringLiteral("%1%").arg(percent));
}

}  // namespace chrome

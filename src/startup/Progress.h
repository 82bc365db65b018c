#pragma once

#include <QString>

class QProgressBar;

namespace startup {

// The percentage a bar shows for `done` of `total`; the product is formed wide enough for
// any count. A total of 0 shows 0; more done than the total shows 100.
int barPercent(int done, int total);

// One bar step: value and caption ("45%").
void stepBar(QProgressBar& bar, int done, int total);

}  // namespace startup

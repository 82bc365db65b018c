#pragma once

namespace chrome {

class ProgressBar;

// The percentage a bar shows for `done` of `total`; the product is formed wide enough for any
// count. A total of 0 shows 0; more done than the total shows 100.
int barPercent(int done, int total);

// One step of a progress bar: its value and its caption ("45%").
void stepBar(ProgressBar& bar, int done, int total);

}  // namespace chrome

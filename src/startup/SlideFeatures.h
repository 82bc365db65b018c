#pragma once

#include "startup/Run.h"

namespace startup {

// The export to slides' slots: the main form's "Continue" and express paste, the command codes
// "/212" to "/412", the layout window "/006", and the closing of its windows.
void addSlideFeatures(Features& features);

}  // namespace startup

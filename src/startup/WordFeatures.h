#pragma once

#include "startup/Run.h"

namespace startup {

// The Word export's slots: the main form's "Continue" and express paste, the command codes
// "/512" to "/812", and the closing of its dialog.
void addWordFeatures(Features& features);

}  // namespace startup

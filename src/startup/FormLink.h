#pragma once

#include "run/FormLink.h"
#include "startup/Run.h"

namespace startup {

// The open main form as the exports reach it; no list when none is open.
run::FormLink mainFormLink(Run& run);

}  // namespace startup

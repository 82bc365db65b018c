#pragma once

#include <memory>

#include "platform/Choosers.h"
#include "startup/Run.h"

namespace startup {

// Sets the features of the file exports: image files, PDF and web page dialogs, the selection
// as an image file, and the closing of their dialogs with the main form.
void addFileFeatures(Features& features, std::shared_ptr<platform::Chooser> chooser);

}  // namespace startup

#pragma once

#include <QString>
#include <map>

namespace mainform {

// The texts of the help icons, by icon index (0 captions, 1 layout, 2 mode, 4 editable format).
std::map<int, QString> BuildHelpTexts();

}  // namespace mainform

#pragma once

// The open main form as an export sees it: its list, and what an export does to the window.

#include <QString>
#include <functional>

#include "run/ItemList.h"

namespace run {

struct FormLink {
    ItemList* list = nullptr;  // null when no main form is open
    std::function<bool()> predefinedSlides = [] { return false; };
    std::function<void()> minimise = [] {};
    std::function<void()> restore = [] {};
    std::function<void()> unload = [] {};  // stores the list and ends the run's windows
    std::function<void(const QString&)> setActiveFile = [](const QString&) {};
};

}  // namespace run

#include "office/memory/Presentations.h"

#include <algorithm>

namespace office::memory {

std::vector<std::shared_ptr<office::Presentation>> PowerPointApp::presentations() const {
    return {list.begin(), list.end()};
}

int PowerPointApp::windowCount() const {
    return static_cast<int>(std::count_if(list.begin(), list.end(),
                                          [](const auto& p) { return p->window.has_value(); }));
}

std::shared_ptr<PresentationImpl> PowerPointApp::find(const QString& name) const {
    for (const auto& p : list)
        if (p->name_.compare(name, Qt::CaseInsensitive) == 0 || p->fullName_ == name) return p;
    return nullptr;
}

bool PowerPointApp::open(const QString& file) {
    if (auto p = find(file)) {
        active_ = p;
        return true;
    }
    auto it = files.find(file);
    if (it == files.end()) return false;
    auto p = it->second;
    files.erase(it);
    // A presentation opened from its file comes up in a window of its own.
    if (!p->window) {
        p->window = PresentationWindow{};
        if (!p->slides.empty()) p->window->slideIndex = 1;
        p->window->title = p->name_ + QStringLiteral(" - PowerPoint");
    }
    list.push_back(p);
    active_ = p;
    running = true;
    return true;
}

}  // namespace office::memory

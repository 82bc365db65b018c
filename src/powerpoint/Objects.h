#pragma once

// What an automation call on nothing gives: an error, never a crash.

#include <memory>

#include "office/Error.h"
#include "office/PowerPoint.h"

namespace powerpoint {

[[noreturn]] inline void objectNotSet() {
    throw office::Error(91, QStringLiteral("Object variable or With block variable not set"));
}

// The object behind a handle that may be empty.
template <typename T>
T& must(const std::shared_ptr<T>& object) {
    if (!object) objectNotSet();
    return *object;
}

// The application behind a handle that may be empty.
inline office::PowerPoint& app(const std::shared_ptr<office::PowerPoint>& pp) {
    if (!pp) objectNotSet();
    return *pp;
}

// ActivePresentation, which PowerPoint may not have.
inline office::Presentation& activePresentation(office::PowerPoint& pp) {
    auto p = pp.activePresentation();
    if (!p) objectNotSet();
    return *p;
}

}  // namespace powerpoint

#pragma once

// The presentation application as the program sees it. Every call may throw office::Error.

#include <QString>
#include <memory>
#include <vector>

#include "office/Error.h"

namespace office {

class Presentation {
  public:
    virtual ~Presentation() = default;
    virtual QString name() const = 0;
    virtual QString fullName() const = 0;
    virtual int slideCount() const = 0;
};

class PowerPoint {
  public:
    virtual ~PowerPoint() = default;
    virtual QString version() const = 0;
    virtual std::shared_ptr<Presentation> activePresentation() const = 0;  // null when none
    virtual std::vector<std::shared_ptr<Presentation>> presentations() const = 0;
    // The open presentations that have a window.
    virtual int windowCount() const = 0;
};

}  // namespace office

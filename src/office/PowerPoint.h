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
    virtual int slideCount() const { throw Error(errors::Application, QStringLiteral("Slides are not available")); }
};

class PowerPoint {
public:
    virtual ~PowerPoint() = default;
    virtual QString version() const = 0;
    virtual std::shared_ptr<Presentation> activePresentation() const = 0;  // null when none
    virtual std::vector<std::shared_ptr<Presentation>> presentations() const = 0;
    virtual int windowCount() const { return activePresentation() ? 1 : 0; }
};

}  // namespace office

#pragma once

// The word processor as the program sees it. Every call may throw office::Error.

#include <QString>
#include <memory>
#include <vector>

namespace office {

class Document {
  public:
    virtual ~Document() = default;
    virtual QString name() const = 0;
    virtual QString fullName() const = 0;
};

class Word {
  public:
    virtual ~Word() = default;
    virtual std::shared_ptr<Document> activeDocument() const = 0;  // null when none
    virtual std::vector<std::shared_ptr<Document>> documents() const = 0;
};

}  // namespace office

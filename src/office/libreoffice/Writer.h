#pragma once

// Writer as the word processor. Internal to the adapter.

#include "office/Word.h"
#include "office/libreoffice/DocumentSet.h"

namespace office::libreoffice {

class WriterApp : public Word {
  public:
    explicit WriterApp(std::shared_ptr<Session> session);
    bool hasDocuments() const;

    std::shared_ptr<Document> activeDocument() const override;
    std::vector<std::shared_ptr<Document>> documents() const override;

  private:
    std::shared_ptr<Document> wrap(const Reference<css::frame::XModel>& model) const;
    DocumentSet docs_;
    mutable Wrappers<Document> wrappers_;
};

}  // namespace office::libreoffice

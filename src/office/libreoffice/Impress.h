#pragma once

// Impress as the presentation application. Internal to the adapter.

#include "office/PowerPoint.h"
#include "office/libreoffice/DocumentSet.h"

namespace office::libreoffice {

class ImpressApp : public PowerPoint {
  public:
    explicit ImpressApp(std::shared_ptr<Session> session);
    bool hasDocuments() const;

    QString version() const override;
    std::shared_ptr<Presentation> activePresentation() const override;
    std::vector<std::shared_ptr<Presentation>> presentations() const override;
    int windowCount() const override;

  private:
    std::shared_ptr<Presentation> wrap(const Reference<css::frame::XModel>& model) const;
    DocumentSet docs_;
    mutable Wrappers<Presentation> wrappers_;
};

}  // namespace office::libreoffice

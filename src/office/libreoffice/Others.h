#pragma once

// Impress and Writer as far as the presentation and document interfaces go today: which
// documents are open and which is active. Internal to the adapter.

#include <map>

#include <com/sun/star/frame/XModel.hpp>

#include "office/PowerPoint.h"
#include "office/Word.h"
#include "office/libreoffice/Uno.h"

namespace office::libreoffice {

// The open documents of one kind (a document service), and the one active last.
class DocumentSet {
  public:
    DocumentSet(std::shared_ptr<Session> session, const char* service)
        : session_(std::move(session)), service_(service) {}
    std::vector<Reference<css::frame::XModel>> all() const;
    Reference<css::frame::XModel> active() const;  // null when none is open
    const Session& session() const { return *session_; }
    const std::shared_ptr<Session>& sessionPtr() const { return session_; }

  private:
    std::shared_ptr<Session> session_;
    const char* service_;
    mutable Reference<css::frame::XModel> lastActive_;
};

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

// A document's file name ("Deck.odp"), or its title while it has never been saved.
QString documentName(const Reference<css::frame::XModel>& model);
// Its full path, or its name while it has never been saved.
QString documentFullName(const Reference<css::frame::XModel>& model);
// LibreOffice's version ("7.4").
QString productVersion(const Session& session);

}  // namespace office::libreoffice

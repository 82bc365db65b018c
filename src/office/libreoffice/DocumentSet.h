#pragma once

// The open documents of one kind (presentations, text documents) and what they share.
// Internal to the adapter.

#include <map>

#include <com/sun/star/frame/XModel.hpp>

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

// A document's file name ("Deck.odp"), or its title while it has never been saved.
QString documentName(const Reference<css::frame::XModel>& model);
// Its full path, or its name while it has never been saved.
QString documentFullName(const Reference<css::frame::XModel>& model);
// LibreOffice's version ("7.4").
QString productVersion(const Session& session);

}  // namespace office::libreoffice

#include "office/libreoffice/Writer.h"

#include "office/libreoffice/Calc.h"

namespace office::libreoffice {

namespace {

class WriterDocument : public Document {
  public:
    WriterDocument(std::shared_ptr<Session> s, Reference<css::frame::XModel> m)
        : session_(std::move(s)), model_(std::move(m)) {}
    QString name() const override {
        return guarded(*session_, "Document.Name", [&] { return documentName(model_); });
    }
    QString fullName() const override {
        return guarded(*session_, "Document.FullName", [&] { return documentFullName(model_); });
    }

  private:
    std::shared_ptr<Session> session_;
    Reference<css::frame::XModel> model_;
};

}  // namespace

WriterApp::WriterApp(std::shared_ptr<Session> session)
    : docs_(std::move(session), "com.sun.star.text.TextDocument") {}

bool WriterApp::hasDocuments() const {
    return guarded(docs_.session(), "Documents", [&] { return !docs_.all().empty(); });
}

std::shared_ptr<Document> WriterApp::wrap(const Reference<css::frame::XModel>& model) const {
    return wrappers_.get(
        model, [&] { return std::make_shared<WriterDocument>(docs_.sessionPtr(), model); });
}

std::shared_ptr<Document> WriterApp::activeDocument() const {
    return guarded(docs_.session(), "ActiveDocument", [&]() -> std::shared_ptr<Document> {
        auto m = docs_.active();
        return m.is() ? wrap(m) : nullptr;
    });
}

std::vector<std::shared_ptr<Document>> WriterApp::documents() const {
    return guarded(docs_.session(), "Documents", [&] {
        std::vector<std::shared_ptr<Document>> out;
        for (const auto& m : docs_.all()) out.push_back(wrap(m));
        return out;
    });
}

}  // namespace office::libreoffice

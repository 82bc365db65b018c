#include "office/libreoffice/Others.h"

#include <QUrl>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/frame/XTitle.hpp>

#include "office/libreoffice/Calc.h"

namespace office::libreoffice {

namespace {

class ImpressPresentation : public Presentation {
  public:
    ImpressPresentation(std::shared_ptr<Session> s, Reference<css::frame::XModel> m)
        : session_(std::move(s)), model_(std::move(m)) {}
    QString name() const override {
        return guarded(*session_, "Presentation.Name", [&] { return documentName(model_); });
    }
    QString fullName() const override {
        return guarded(*session_, "Presentation.FullName",
                       [&] { return documentFullName(model_); });
    }
    int slideCount() const override {
        return guarded(*session_, "Slides.Count", [&] {
            Reference<css::drawing::XDrawPagesSupplier> pages(model_, UNO_QUERY_THROW);
            return int(need(pages->getDrawPages())->getCount());
        });
    }

  private:
    std::shared_ptr<Session> session_;
    Reference<css::frame::XModel> model_;
};

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

QString documentName(const Reference<css::frame::XModel>& model) {
    const QString url = qs(model->getURL());
    if (!url.isEmpty()) return QUrl(url).fileName();
    Reference<css::frame::XTitle> title(model, UNO_QUERY);
    return title.is() ? qs(title->getTitle()) : QString();
}

QString documentFullName(const Reference<css::frame::XModel>& model) {
    const QUrl url(qs(model->getURL()));
    if (url.isEmpty()) return documentName(model);
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

QString productVersion(const Session& session) {
    auto provider = css::configuration::theDefaultProvider::get(session.context());
    const Any arg(
        css::beans::NamedValue(ous("nodepath"), Any(ous("/org.openoffice.Setup/Product"))));
    Reference<css::container::XNameAccess> product(
        provider->createInstanceWithArguments(ous("com.sun.star.configuration.ConfigurationAccess"),
                                              Sequence<Any>(&arg, 1)),
        UNO_QUERY_THROW);
    OUString version;
    product->getByName(ous("ooSetupVersion")) >>= version;
    return qs(version);
}

// ---- DocumentSet

std::vector<Reference<css::frame::XModel>> DocumentSet::all() const {
    std::vector<Reference<css::frame::XModel>> out;
    for (const auto& c : openComponents(*session_))
        if (supports(c, service_)) out.emplace_back(c, UNO_QUERY_THROW);
    return out;
}

Reference<css::frame::XModel> DocumentSet::active() const {
    Reference<css::frame::XModel> current(session_->desktop()->getCurrentComponent(), UNO_QUERY);
    if (current.is() && supports(current, service_)) return lastActive_ = current;
    const auto open = all();
    for (const auto& m : open)
        if (lastActive_.is() && m == lastActive_) return lastActive_;
    lastActive_ = open.empty() ? Reference<css::frame::XModel>() : open.front();
    return lastActive_;
}

// ---- Impress

ImpressApp::ImpressApp(std::shared_ptr<Session> session)
    : docs_(std::move(session), "com.sun.star.presentation.PresentationDocument") {}

bool ImpressApp::hasDocuments() const {
    return guarded(docs_.session(), "Presentations", [&] { return !docs_.all().empty(); });
}

QString ImpressApp::version() const {
    return guarded(docs_.session(), "Application.Version",
                   [&] { return productVersion(docs_.session()); });
}

std::shared_ptr<Presentation> ImpressApp::wrap(const Reference<css::frame::XModel>& model) const {
    return wrappers_.get(
        model, [&] { return std::make_shared<ImpressPresentation>(docs_.sessionPtr(), model); });
}

std::shared_ptr<Presentation> ImpressApp::activePresentation() const {
    return guarded(docs_.session(), "ActivePresentation", [&]() -> std::shared_ptr<Presentation> {
        auto m = docs_.active();
        return m.is() ? wrap(m) : nullptr;
    });
}

std::vector<std::shared_ptr<Presentation>> ImpressApp::presentations() const {
    return guarded(docs_.session(), "Presentations", [&] {
        std::vector<std::shared_ptr<Presentation>> out;
        for (const auto& m : docs_.all()) out.push_back(wrap(m));
        return out;
    });
}

int ImpressApp::windowCount() const {
    return guarded(docs_.session(), "Windows.Count", [&] {
        int n = 0;
        for (const auto& m : docs_.all())
            if (m->getCurrentController().is()) ++n;
        return n;
    });
}

// ---- Writer

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

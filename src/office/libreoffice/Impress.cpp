#include "office/libreoffice/Impress.h"

#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>

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

}  // namespace

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

}  // namespace office::libreoffice

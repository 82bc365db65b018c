#include "office/libreoffice/Impress.h"

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/UnknownPropertyException.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "office/libreoffice/Calc.h"

namespace office::libreoffice {

namespace {

using css::beans::XPropertySet;

Reference<css::drawing::XDrawPages> pagesOf(const Reference<css::frame::XModel>& model) {
    Reference<css::drawing::XDrawPagesSupplier> s(model, UNO_QUERY_THROW);
    return Reference<css::drawing::XDrawPages>(need(s->getDrawPages()), UNO_QUERY_THROW);
}

Reference<css::presentation::XPresentation2> showOf(const Reference<css::frame::XModel>& model) {
    Reference<css::presentation::XPresentationSupplier> s(model, UNO_QUERY_THROW);
    return Reference<css::presentation::XPresentation2>(s->getPresentation(), UNO_QUERY_THROW);
}

class ImpressPresentation : public Presentation {
  public:
    explicit ImpressPresentation(std::shared_ptr<ImpressDoc> d) : doc_(std::move(d)) {}
    QString name() const override {
        return get("Presentation.Name", [&] { return documentName(doc_->model); });
    }
    QString fullName() const override {
        return get("Presentation.FullName", [&] { return documentFullName(doc_->model); });
    }
    int slideCount() const override {
        return get("Slides.Count", [&] { return int(pagesOf(doc_->model)->getCount()); });
    }
    std::shared_ptr<Slide> slide(int index) const override {
        return get("Slides.Item", [&] {
            auto pages = pagesOf(doc_->model);
            if (index < 1 || index > pages->getCount())
                fail(errors::NotFound,
                     QStringLiteral("The presentation has no slide %1: it has %2.")
                         .arg(index)
                         .arg(pages->getCount()));
            return makeImpressSlide(doc_, Reference<css::drawing::XDrawPage>(
                                              pages->getByIndex(index - 1), UNO_QUERY_THROW));
        });
    }
    std::shared_ptr<Slide> addSlide(int index, int layout) override {
        return get("Slides.Add", [&] {
            auto pages = pagesOf(doc_->model);
            const int count = pages->getCount();
            // Impress inserts a new slide after an existing one, never in front of the first.
            if (index < 2 || index > count + 1)
                fail(errors::Application,
                     QStringLiteral("Impress cannot add a slide at position %1 of %2 slides.")
                         .arg(index)
                         .arg(count));
            Reference<css::drawing::XDrawPage> page = pages->insertNewByIndex(index - 2);
            auto s = makeImpressSlide(doc_, page);
            s->setLayout(layout);
            return s;
        });
    }
    double slideWidth() const override { return pageSize("PageSetup.SlideWidth", "Width"); }
    double slideHeight() const override { return pageSize("PageSetup.SlideHeight", "Height"); }
    void exitSlideShow() override {
        get("SlideShowWindow", [&] {
            auto show = showOf(doc_->model);
            if (!show->isRunning())
                fail(errors::Application, QStringLiteral("No slide show is running."));
            show->end();
        });
    }

  private:
    template <typename F>
    auto get(const char* member, F&& body) const -> decltype(body()) {
        return guarded(*doc_->session, member, body);
    }
    double pageSize(const char* member, const char* property) const {
        return get(member, [&] {
            Reference<XPropertySet> page(pagesOf(doc_->model)->getByIndex(0), UNO_QUERY_THROW);
            sal_Int32 v = 0;
            page->getPropertyValue(ous(property)) >>= v;
            return toPoints(v);
        });
    }
    std::shared_ptr<ImpressDoc> doc_;
};

// The view types the program names, beside the commands of Impress that show them.
struct ViewKind {
    int type;
    const char* command;
};
constexpr int ppViewSlideMaster = 2;
constexpr ViewKind Views[] = {
    {3, ".uno:NotesMode"},
    {4, ".uno:HandoutMode"},
    {6, ".uno:OutlineMode"},
    {7, ".uno:DiaMode"},
    {ppViewSlideMaster, ".uno:SlideMasterPage"},
    {ppViewNormal, ".uno:NormalMultiPaneGUI"},
};

class ImpressWindow : public PresentationWindow {
  public:
    ImpressWindow(std::shared_ptr<ImpressDoc> d, std::shared_ptr<Presentation> p)
        : doc_(std::move(d)), presentation_(std::move(p)) {}
    std::shared_ptr<Presentation> presentation() const override { return presentation_; }
    QString caption() const override {
        return get("Window.Caption", [&] {
            Reference<css::frame::XTitle> t(doc_->controller()->getFrame(), UNO_QUERY_THROW);
            return qs(t->getTitle());
        });
    }
    // Impress's controller does not tell the outline, sorter, notes or handout views apart,
    // so a view the adapter switched to is remembered; otherwise the drawing view says whether
    // it shows the masters.
    int viewType() const override {
        return get("Window.ViewType", [&] {
            if (doc_->viewType) return doc_->viewType;
            bool master = false;
            try {
                Reference<XPropertySet>(doc_->controller(), UNO_QUERY_THROW)
                    ->getPropertyValue(ous("IsMasterPageMode")) >>= master;
            } catch (const css::beans::UnknownPropertyException&) {
                fail(errors::Application,
                     QStringLiteral("Impress does not tell which view its window shows."));
            }
            return master ? ppViewSlideMaster : ppViewNormal;
        });
    }
    void setViewType(int type) override {
        get("Window.ViewType", [&] {
            for (const auto& v : Views)
                if (v.type == type) {
                    doc_->dispatch(v.command);
                    doc_->viewType = type;
                    return;
                }
            fail(errors::Application,
                 QStringLiteral("Impress has no view for the view type %1.").arg(type));
        });
    }
    int viewSlideIndex() const override {
        return get("View.Slide", [&] {
            sal_Int16 n = 0;
            Reference<XPropertySet>(doc_->currentPage(), UNO_QUERY_THROW)
                ->getPropertyValue(ous("Number")) >>= n;
            return int(n);
        });
    }
    void gotoSlide(int index) override {
        get("View.GotoSlide", [&] {
            auto pages = pagesOf(doc_->model);
            if (index < 1 || index > pages->getCount())
                fail(errors::NotFound,
                     QStringLiteral("The presentation has no slide %1.").arg(index));
            doc_->showPage(
                Reference<css::drawing::XDrawPage>(pages->getByIndex(index - 1), UNO_QUERY_THROW));
        });
    }
    void viewPasteSpecial(int format) override {
        get("View.PasteSpecial", [&] { pasteOnto(doc_, doc_->currentPage(), format, false); });
    }
    std::shared_ptr<Slide> selectedSlide() const override {
        return get("Selection.SlideRange",
                   [&] { return makeImpressSlide(doc_, doc_->currentPage()); });
    }
    std::shared_ptr<SlideShape> selectedShape() const override {
        return get("Selection.ShapeRange", [&] {
            Reference<css::view::XSelectionSupplier> s(doc_->controller(), UNO_QUERY_THROW);
            Reference<css::uno::XInterface> selected(s->getSelection(), UNO_QUERY);
            Reference<css::drawing::XShape> shape(selected, UNO_QUERY);
            Reference<css::container::XIndexAccess> shapes(selected, UNO_QUERY);
            if (!shape.is() && shapes.is() && shapes->getCount() == 1)
                shape.set(shapes->getByIndex(0), UNO_QUERY);
            if (!shape.is()) fail(errors::ObjectRequired, QStringLiteral("No shape is selected."));
            return makeImpressShape(doc_, shape);
        });
    }
    void unselect() override {
        get("Selection.Unselect", [&] { doc_->unselect(); });
    }

  private:
    template <typename F>
    auto get(const char* member, F&& body) const -> decltype(body()) {
        return guarded(*doc_->session, member, body);
    }
    std::shared_ptr<ImpressDoc> doc_;
    std::shared_ptr<Presentation> presentation_;
};

// A window title names a presentation when it is its window's title, or its name followed by
// the application's (" - PowerPoint", " - LibreOffice Impress").
bool titleNames(const QString& title, const Reference<css::frame::XModel>& model) {
    if (title.isEmpty()) return true;
    const QString name = documentName(model);
    if (title.startsWith(name + QStringLiteral(" - "))) return true;
    auto c = model->getCurrentController();
    Reference<css::frame::XTitle> t(c.is() ? c->getFrame() : nullptr, UNO_QUERY);
    return t.is() && qs(t->getTitle()) == title;
}

}  // namespace

// ---- ImpressDoc

Reference<css::frame::XController> ImpressDoc::controller() const {
    auto c = model->getCurrentController();
    if (!c.is())
        fail(errors::Application, QStringLiteral("The presentation has no window in LibreOffice."));
    return c;
}

Reference<css::drawing::XDrawPage> ImpressDoc::currentPage() const {
    Reference<css::drawing::XDrawView> view(controller(), UNO_QUERY);
    Reference<css::drawing::XDrawPage> page = view.is() ? view->getCurrentPage() : nullptr;
    if (!page.is()) fail(errors::ObjectRequired, QStringLiteral("No slide is in view."));
    return page;
}

void ImpressDoc::showPage(const Reference<css::drawing::XDrawPage>& page) const {
    Reference<css::drawing::XDrawView>(controller(), UNO_QUERY_THROW)->setCurrentPage(page);
}

void ImpressDoc::unselect() const {
    Reference<css::view::XSelectionSupplier>(controller(), UNO_QUERY_THROW)->select(Any());
}

void ImpressDoc::dispatch(const char* command, const char* argument, int value) const {
    auto frame = controller()->getFrame();
    frame->activate();
    css::beans::PropertyValue arg;
    Sequence<css::beans::PropertyValue> args;
    if (argument) {
        arg.Name = ous(argument);
        arg.Value <<= sal_Int32(value);
        args = Sequence<css::beans::PropertyValue>(&arg, 1);
    }
    css::frame::DispatchHelper::create(session->context())
        ->executeDispatch(Reference<css::frame::XDispatchProvider>(frame, UNO_QUERY_THROW),
                          ous(command), OUString(), 0, args);
    session->settle();
}

// ---- ImpressApp

ImpressApp::ImpressApp(std::shared_ptr<Session> session)
    : docs_(std::move(session), "com.sun.star.presentation.PresentationDocument") {}

ImpressApp::~ImpressApp() {
    release();
}

void ImpressApp::release() {
    try {
        if (locked_.is() && docs_.session().alive() && locked_->hasControllersLocked())
            locked_->unlockControllers();
    } catch (const css::uno::Exception&) {
    }
    locked_.clear();
}

bool ImpressApp::hasDocuments() const {
    return guarded(docs_.session(), "Presentations", [&] { return !docs_.all().empty(); });
}

QString ImpressApp::version() const {
    return guarded(docs_.session(), "Application.Version",
                   [&] { return productVersion(docs_.session()); });
}

std::shared_ptr<ImpressDoc> ImpressApp::doc(const Reference<css::frame::XModel>& model) const {
    return docsShared_.get(model, [&] {
        auto d = std::make_shared<ImpressDoc>();
        d->session = docs_.sessionPtr();
        d->model = model;
        return d;
    });
}

std::shared_ptr<Presentation> ImpressApp::wrap(const Reference<css::frame::XModel>& model) const {
    return wrappers_.get(model, [&] { return std::make_shared<ImpressPresentation>(doc(model)); });
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

std::shared_ptr<PresentationWindow> ImpressApp::activeWindow() const {
    return guarded(docs_.session(), "ActiveWindow", [&]() -> std::shared_ptr<PresentationWindow> {
        auto m = docs_.active();
        if (!m.is() || !m->getCurrentController().is())
            fail(errors::ObjectRequired, QStringLiteral("No presentation window is active."));
        return std::make_shared<ImpressWindow>(doc(m), wrap(m));
    });
}

int ImpressApp::slideShowWindowCount() const {
    return guarded(docs_.session(), "SlideShowWindows", [&] {
        int n = 0;
        for (const auto& m : docs_.all())
            if (showOf(m)->isRunning()) ++n;
        return n;
    });
}

std::shared_ptr<Presentation> ImpressApp::addPresentation() {
    return guarded(docs_.session(), "Presentations.Add", [&] {
        Reference<css::frame::XComponentLoader> loader(docs_.session().desktop(), UNO_QUERY_THROW);
        Reference<css::frame::XModel> model(
            loader->loadComponentFromURL(ous("private:factory/simpress"), ous("_blank"), 0, {}),
            UNO_QUERY_THROW);
        docs_.active();  // the new one is the active presentation from now on
        return wrap(model);
    });
}

// The other office's paste command that keeps the source formatting is Impress's plain paste.
void ImpressApp::executeMso(const QString& command) {
    guarded(docs_.session(), "CommandBars.ExecuteMso", [&] {
        if (command != QLatin1String("PasteSourceFormatting"))
            fail(errors::Application, QStringLiteral("Impress has no command %1.").arg(command));
        auto m = docs_.active();
        if (!m.is()) fail(errors::ObjectRequired, QStringLiteral("No presentation is open."));
        auto d = doc(m);
        pasteOnto(d, d->currentPage(), ppPasteDefault, false);
    });
}

// A dispatched command leaves no toolbar holding the keyboard: nothing to give back.
void ImpressApp::releaseFocus() {}

Reference<css::frame::XModel> ImpressApp::windowOf(qint64 handle) const {
    if (handle < 1 || handle > qint64(handles_.size())) return {};
    const auto& m = handles_[handle - 1];
    for (const auto& open : docs_.all())
        if (open == m && m->getCurrentController().is()) return m;
    return {};
}

qint64 ImpressApp::findWindow(const QString& className, const QString& title) const {
    return guarded(docs_.session(), "FindWindow", [&]() -> qint64 {
        // Impress's windows have no class name of the other office's.
        if (!className.isEmpty()) return 0;
        for (const auto& m : docs_.all()) {
            if (!m->getCurrentController().is() || !titleNames(title, m)) continue;
            auto at = std::find(handles_.begin(), handles_.end(), m);
            if (at == handles_.end()) at = handles_.insert(handles_.end(), m);
            return qint64(at - handles_.begin()) + 1;
        }
        return 0;
    });
}

// The window lock is Impress's controller lock: one presentation at a time.
bool ImpressApp::lockWindowUpdate(qint64 handle) {
    return guarded(docs_.session(), "LockWindowUpdate", [&] {
        if (handle == 0) {
            release();
            return true;
        }
        auto m = windowOf(handle);
        if (!m.is() || (locked_.is() && locked_ != m)) return false;
        if (!locked_.is()) {
            m->lockControllers();
            locked_ = m;
        }
        return true;
    });
}

bool ImpressApp::updateWindow(qint64 handle) {
    return guarded(docs_.session(), "UpdateWindow", [&] {
        auto m = windowOf(handle);
        if (!m.is()) return false;
        Reference<css::awt::XWindow> w(m->getCurrentController()->getFrame()->getContainerWindow());
        if (w.is()) w->setVisible(true);
        return true;
    });
}

// Show states as the desktop numbers them: 1 normal, 2 minimised, 3 maximised.
bool ImpressApp::setWindowShowState(qint64 handle, int showState) {
    return guarded(docs_.session(), "SetWindowPlacement", [&] {
        auto m = windowOf(handle);
        if (!m.is()) return false;
        Reference<css::awt::XTopWindow2> w(
            m->getCurrentController()->getFrame()->getContainerWindow(), UNO_QUERY);
        if (!w.is()) return false;
        w->setIsMinimized(showState == 2);
        w->setIsMaximized(showState == 3);
        return true;
    });
}

bool ImpressApp::setForegroundWindow(qint64 handle) {
    return guarded(docs_.session(), "SetForegroundWindow", [&] {
        auto m = windowOf(handle);
        if (!m.is()) return false;
        auto frame = m->getCurrentController()->getFrame();
        frame->activate();
        Reference<css::awt::XTopWindow> w(frame->getContainerWindow(), UNO_QUERY);
        if (w.is()) w->toFront();
        return true;
    });
}

}  // namespace office::libreoffice

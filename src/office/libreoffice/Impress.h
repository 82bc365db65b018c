#pragma once

// Impress as the presentation application. Internal to the adapter.

#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XController.hpp>

#include "office/PowerPoint.h"
#include "office/libreoffice/DocumentSet.h"

namespace office::libreoffice {

// One presentation and what its slides, shapes and window share.
struct ImpressDoc {
    std::shared_ptr<Session> session;
    Reference<css::frame::XModel> model;
    // The shapes whose aspect ratio the program locked: Impress keeps no such flag of its own.
    std::vector<Reference<css::drawing::XShape>> aspectLocked;
    // The view type the adapter last switched the window to; 0 before it did.
    int viewType = 0;

    Reference<css::frame::XController> controller() const;  // throws when it has no window
    Reference<css::drawing::XDrawPage> currentPage() const;
    void showPage(const Reference<css::drawing::XDrawPage>& page) const;
    void unselect() const;
    // Runs a command of LibreOffice's on the presentation's window, made active first: a paste
    // dispatched to an inactive window does nothing.
    void dispatch(const char* command, const char* argument = nullptr, int value = 0) const;
    bool isAspectLocked(const Reference<css::drawing::XShape>& shape) const;
};

std::shared_ptr<SlideShape> makeImpressShape(std::shared_ptr<ImpressDoc> doc,
                                             Reference<css::drawing::XShape> shape);
std::shared_ptr<Slide> makeImpressSlide(std::shared_ptr<ImpressDoc> doc,
                                        Reference<css::drawing::XDrawPage> page);
// Pastes the clipboard onto the page in that paste data type and returns the new shape, last on
// its page; throws when Impress cannot paste that or nothing arrived.
std::shared_ptr<SlideShape> pasteOnto(const std::shared_ptr<ImpressDoc>& doc,
                                      const Reference<css::drawing::XDrawPage>& page, int format,
                                      bool link);

// Points and Impress's 1/100 mm.
inline double toPoints(sal_Int32 mm100) {
    return mm100 * 72.0 / 2540.0;
}
sal_Int32 toMm100(double points);

class ImpressApp : public PowerPoint {
  public:
    explicit ImpressApp(std::shared_ptr<Session> session);
    ~ImpressApp() override;
    bool hasDocuments() const;
    // Gives back the window lock, if one is held.
    void release();

    QString version() const override;
    std::shared_ptr<Presentation> activePresentation() const override;
    std::vector<std::shared_ptr<Presentation>> presentations() const override;
    int windowCount() const override;
    std::shared_ptr<PresentationWindow> activeWindow() const override;
    int slideShowWindowCount() const override;
    std::shared_ptr<Presentation> addPresentation() override;
    void executeMso(const QString& command) override;
    void releaseFocus() override;
    qint64 findWindow(const QString& className, const QString& title) const override;
    bool lockWindowUpdate(qint64 handle) override;
    bool updateWindow(qint64 handle) override;
    bool setWindowShowState(qint64 handle, int showState) override;
    bool setForegroundWindow(qint64 handle) override;

  private:
    std::shared_ptr<ImpressDoc> doc(const Reference<css::frame::XModel>& model) const;
    std::shared_ptr<Presentation> wrap(const Reference<css::frame::XModel>& model) const;
    Reference<css::frame::XModel> windowOf(qint64 handle) const;  // null when none
    DocumentSet docs_;
    mutable Wrappers<Presentation> wrappers_;
    mutable Wrappers<ImpressDoc> docsShared_;
    // Window handles are positions in this list, plus one; a handle stays with its presentation.
    mutable std::vector<Reference<css::frame::XModel>> handles_;
    Reference<css::frame::XModel> locked_;
};

}  // namespace office::libreoffice

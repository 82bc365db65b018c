#pragma once

// The built-in presentation application. Its presentations are kept as the desktop describes
// them, with every property, so that pastes can grow them and dumps show them.

#include <QString>
#include <QtGlobal>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "office/PowerPoint.h"
#include "office/memory/Clipboard.h"

namespace office::memory {

struct Font {
    std::optional<QString> name;
    std::optional<double> size;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<QString> color;  // "#RRGGBB"
    bool operator==(const Font&) const = default;
};

struct ShadowFormat {
    std::optional<double> blur, size, offsetX, offsetY;
    std::optional<QString> color;  // "#RRGGBB"
    bool operator==(const ShadowFormat&) const = default;
};

struct ReflectionFormat {
    std::optional<double> offset, size;
    bool operator==(const ReflectionFormat&) const = default;
};

// A shape on a slide, or an inline or floating shape in a document.
struct Shape {
    QString name;  // empty when the desktop gives none
    QString kind = QStringLiteral("bitmap");
    std::optional<ClipSource> source;
    double left = 0, top = 0, width = 0, height = 0;
    bool lockAspectRatio = true;
    std::optional<bool> shadow;
    std::optional<bool> reflection;
    std::optional<int> autoShapeType;
    std::optional<std::vector<double>> adjustments;
    std::optional<QString> text;
    std::optional<Font> font;
    std::optional<bool> wordWrap;
    std::optional<ShadowFormat> shadowFormat;
    std::optional<ReflectionFormat> reflectionFormat;
    bool operator==(const Shape&) const = default;
};

struct TitlePlaceholder {
    double left = 36, top = 30, width = 648, height = 60;
    QString text;
    bool operator==(const TitlePlaceholder&) const = default;
};

struct Slide {
    int layout = 11;  // title only
    std::optional<TitlePlaceholder> title;
    std::vector<Shape> shapes;
    bool operator==(const Slide&) const = default;
};

struct WindowData {
    int viewType = 9;  // normal view
    std::optional<int> slideIndex;
    QString title;
    std::optional<int> selectedShape;  // on the slide in view: 0 its title, else 1-based
    std::optional<int> showState;      // as the window manager last set it
    bool operator==(const WindowData&) const = default;
};

class PowerPointApp;

class PresentationImpl : public office::Presentation,
                         public std::enable_shared_from_this<PresentationImpl> {
  public:
    QString name() const override { return name_; }
    QString fullName() const override { return fullName_; }
    int slideCount() const override { return static_cast<int>(slides.size()); }
    std::shared_ptr<office::Slide> slide(int index) const override;
    std::shared_ptr<office::Slide> addSlide(int index, int layout) override;
    double slideWidth() const override { return slideWidth_; }
    double slideHeight() const override { return slideHeight_; }
    void exitSlideShow() override;

    // The 1-based index of a slide of this presentation, 0 when it is gone.
    int indexOf(const Slide* slide) const;
    // The default title placeholder of a new slide of this presentation.
    TitlePlaceholder newTitle() const;

    QString name_;
    QString fullName_;
    double slideWidth_ = 720;
    double slideHeight_ = 540;
    std::optional<WindowData> window;
    std::vector<std::shared_ptr<Slide>> slides;
    PowerPointApp* app = nullptr;  // the application that holds it
};

class PowerPointApp : public office::PowerPoint {
  public:
    QString version() const override { return version_; }
    std::shared_ptr<office::Presentation> activePresentation() const override {
        return active_.lock();
    }
    std::vector<std::shared_ptr<office::Presentation>> presentations() const override;
    int windowCount() const override;
    std::shared_ptr<office::PresentationWindow> activeWindow() const override;
    int slideShowWindowCount() const override { return slideShowRunning ? 1 : 0; }
    std::shared_ptr<office::Presentation> addPresentation() override;
    void executeMso(const QString& command) override;
    void releaseFocus() override { ++focusReleases; }
    qint64 findWindow(const QString& className, const QString& title) const override;
    bool lockWindowUpdate(qint64 handle) override;
    bool updateWindow(qint64 handle) override;
    bool setWindowShowState(qint64 handle, int showState) override;
    bool setForegroundWindow(qint64 handle) override;

    std::shared_ptr<PresentationImpl> find(const QString& name) const;  // any case
    std::shared_ptr<PresentationImpl> activePresentationImpl() const { return active_.lock(); }
    void setActive(const std::shared_ptr<PresentationImpl>& p) { active_ = p; }
    // Opens a presentation the desktop lists among its files, or activates an open one; false
    // when it knows neither.
    bool open(const QString& file);
    void add(std::shared_ptr<PresentationImpl> p);

    // The window class of the main windows, by major version.
    QString frameClass() const;
    // The window handle of a presentation's window, 0 when it has none.
    qint64 handleOf(const PresentationImpl& p) const;
    bool isLocked(const PresentationImpl& p) const {
        return lockedWindow && lockedWindow == handleOf(p);
    }
    // A shape of a visible window moved or resized: counted when the window was not locked.
    void geometryChanged(const PresentationImpl& p);

    bool running = false;
    QString version_ = QStringLiteral("16.0");
    bool slideShowRunning = false;
    std::vector<std::shared_ptr<PresentationImpl>> list;
    std::map<QString, std::shared_ptr<PresentationImpl>> files;
    std::shared_ptr<Clipboard> clipboard;

    // What the window manager and the commands saw, for tests.
    qint64 lockedWindow = 0;
    qint64 foregroundWindow = 0;
    int redraws = 0;
    int changesWhileUnlocked = 0;
    int focusReleases = 0;
    std::vector<QString> commands;

  private:
    std::weak_ptr<PresentationImpl> active_;
};

}  // namespace office::memory

#pragma once

// The presentation application as the program sees it. Every call may throw office::Error.

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

#include "office/Error.h"

namespace office {

// Slide layouts, view types and paste data types the program uses.
inline constexpr int ppLayoutTitle = 1;
inline constexpr int ppLayoutTitleOnly = 11;
inline constexpr int ppLayoutBlank = 12;
inline constexpr int ppViewNormal = 9;
inline constexpr int ppPasteDefault = 0;
inline constexpr int ppPasteBitmap = 1;
inline constexpr int ppPasteMetafilePicture = 3;
inline constexpr int ppPasteOLEObject = 10;

// An RGB colour number as the office writes it: red + green * 256 + blue * 65536.
constexpr int rgb(int red, int green, int blue) {
    return red + green * 256 + blue * 65536;
}

// A shape on a slide, the slide title included.
class SlideShape {
  public:
    virtual ~SlideShape() = default;
    virtual QString name() const { notSupported("Shape.Name"); }
    virtual double left() const { notSupported("Shape.Left"); }
    virtual double top() const { notSupported("Shape.Top"); }
    virtual double width() const { notSupported("Shape.Width"); }
    virtual double height() const { notSupported("Shape.Height"); }
    virtual void setLeft(double) { notSupported("Shape.Left"); }
    virtual void setTop(double) { notSupported("Shape.Top"); }
    // With the aspect ratio locked, a new width scales the height and the other way round.
    virtual void setWidth(double) { notSupported("Shape.Width"); }
    virtual void setHeight(double) { notSupported("Shape.Height"); }
    virtual void setLockAspectRatio(bool) { notSupported("Shape.LockAspectRatio"); }
    virtual void select() { notSupported("Shape.Select"); }

    virtual void setShadowVisible(bool) { notSupported("Shadow.Visible"); }
    virtual void setShadowBlur(double) { notSupported("Shadow.Blur"); }
    virtual void setShadowSize(double) { notSupported("Shadow.Size"); }
    virtual void setShadowForeColor(int) { notSupported("Shadow.ForeColor"); }
    virtual void setShadowOffsetX(double) { notSupported("Shadow.OffsetX"); }
    virtual void setShadowOffsetY(double) { notSupported("Shadow.OffsetY"); }
    virtual void setReflectionOffset(double) { notSupported("Reflection.Offset"); }
    virtual void setReflectionSize(double) { notSupported("Reflection.Size"); }
    virtual void setAutoShapeType(int) { notSupported("Shape.AutoShapeType"); }
    virtual void setAdjustment(int, double) { notSupported("Adjustments.Item"); }  // 1-based

    // The text frame.
    virtual void setWordWrap(bool) { notSupported("TextFrame.WordWrap"); }
    virtual QString text() const { notSupported("TextRange.Text"); }
    virtual void setText(const QString&) { notSupported("TextRange.Text"); }
    virtual void setFontName(const QString&) { notSupported("Font.Name"); }
    virtual void setFontSize(double) { notSupported("Font.Size"); }
    virtual void setFontColor(int) { notSupported("Font.Color"); }
};

class Slide {
  public:
    virtual ~Slide() = default;
    virtual int slideIndex() const { notSupported("Slide.SlideIndex"); }
    virtual int layout() const { notSupported("Slide.Layout"); }
    virtual void setLayout(int) { notSupported("Slide.Layout"); }
    // In the normal view, selecting a slide brings it into view.
    virtual void select() { notSupported("Slide.Select"); }
    virtual bool hasTitle() const { notSupported("Shapes.HasTitle"); }
    virtual std::shared_ptr<SlideShape> title() const { notSupported("Shapes.Title"); }
    virtual int shapeCount() const { notSupported("Shapes.Count"); }
    virtual std::shared_ptr<SlideShape> shape(int) const {
        notSupported("Shapes.Item");
    }  // 1-based
    // Shapes.PasteSpecial: the clipboard as that data type, or linked; the new shape comes last.
    virtual std::shared_ptr<SlideShape> pasteSpecial(int, bool) {
        notSupported("Shapes.PasteSpecial");
    }
    virtual std::shared_ptr<SlideShape> addLabel(int, double, double, double, double) {
        notSupported("Shapes.AddLabel");
    }
};

class Presentation {
  public:
    virtual ~Presentation() = default;
    virtual QString name() const = 0;
    virtual QString fullName() const = 0;
    virtual int slideCount() const = 0;
    virtual std::shared_ptr<Slide> slide(int) const { notSupported("Slides.Item"); }  // 1-based
    virtual std::shared_ptr<Slide> addSlide(int, int) { notSupported("Slides.Add"); }
    virtual double slideWidth() const { notSupported("PageSetup.SlideWidth"); }
    virtual double slideHeight() const { notSupported("PageSetup.SlideHeight"); }
    // SlideShowWindow.View.Exit
    virtual void exitSlideShow() { notSupported("SlideShowWindow"); }
};

// A document window of the presentation application, with its view and selection.
class PresentationWindow {
  public:
    virtual ~PresentationWindow() = default;
    virtual std::shared_ptr<Presentation> presentation() const {
        notSupported("Window.Presentation");
    }
    virtual QString caption() const { notSupported("Window.Caption"); }
    virtual int viewType() const { notSupported("Window.ViewType"); }
    virtual void setViewType(int) { notSupported("Window.ViewType"); }
    // View.Slide.SlideIndex; throws when no slide is in view.
    virtual int viewSlideIndex() const { notSupported("View.Slide"); }
    virtual void gotoSlide(int) { notSupported("View.GotoSlide"); }
    // View.PasteSpecial onto the slide in view.
    virtual void viewPasteSpecial(int) { notSupported("View.PasteSpecial"); }
    // Selection.SlideRange and Selection.ShapeRange; each throws when there is none.
    virtual std::shared_ptr<Slide> selectedSlide() const { notSupported("Selection.SlideRange"); }
    virtual std::shared_ptr<SlideShape> selectedShape() const {
        notSupported("Selection.ShapeRange");
    }
    virtual void unselect() { notSupported("Selection.Unselect"); }
};

class PowerPoint {
  public:
    virtual ~PowerPoint() = default;
    virtual QString version() const = 0;
    virtual std::shared_ptr<Presentation> activePresentation() const = 0;  // null when none
    virtual std::vector<std::shared_ptr<Presentation>> presentations() const = 0;
    // The open presentations that have a window.
    virtual int windowCount() const = 0;

    // Throws when no document window is active.
    virtual std::shared_ptr<PresentationWindow> activeWindow() const {
        notSupported("ActiveWindow");
    }
    virtual int slideShowWindowCount() const { notSupported("SlideShowWindows"); }
    // Presentations.Add: a new presentation in a window of its own, active.
    virtual std::shared_ptr<Presentation> addPresentation() { notSupported("Presentations.Add"); }
    // CommandBars.ExecuteMso and CommandBars.ReleaseFocus.
    virtual void executeMso(const QString&) { notSupported("CommandBars.ExecuteMso"); }
    virtual void releaseFocus() { notSupported("CommandBars.ReleaseFocus"); }

    // The desktop's window manager as the program reaches the application's main windows.
    // Handles are 0 for none; an empty class or title matches any.
    virtual qint64 findWindow(const QString&, const QString&) const { notSupported("FindWindow"); }
    // Handle 0 removes the lock; false when the lock is refused.
    virtual bool lockWindowUpdate(qint64) { notSupported("LockWindowUpdate"); }
    virtual bool updateWindow(qint64) { notSupported("UpdateWindow"); }
    // GetWindowPlacement and SetWindowPlacement with that show state.
    virtual bool setWindowShowState(qint64, int) { notSupported("SetWindowPlacement"); }
    virtual bool setForegroundWindow(qint64) { notSupported("SetForegroundWindow"); }
};

}  // namespace office

#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

namespace chrome {

// A soft shadow under a top-level window. The window becomes frameless with a translucent
// background; a band of contents margins around it holds the shadow, and the band inside is the
// window's visible frame, filled with its palette's window colour. Works without a compositor's
// help and under the offscreen platform, where grab() shows the shadow like the screen would.
class DropShadow : public QObject {
    Q_OBJECT
  public:
    static constexpr int defaultRadius = 10;
    static constexpr QPoint defaultOffset{2, 3};

    // Use applyDropShadow(); the object lives as a child of the window.
    DropShadow(QWidget* window, int radius, QPoint offset);

    int radius() const { return radius_; }
    QPoint offset() const { return offset_; }
    // The band around the frame that the shadow takes up.
    QMargins margins() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paint();

    QWidget* window_;
    int radius_;
    QPoint offset_;
};

// Gives `window` the program's drop shadow; a second call returns the shadow it already has.
// Best called before the window is first shown (translucency is fixed when the native window is
// made). The window grows by the shadow band so its contents keep their size.
DropShadow* applyDropShadow(QWidget* window, int radius = DropShadow::defaultRadius,
                            QPoint offset = DropShadow::defaultOffset);

// The shadow band of a window; empty when it has none.
QMargins shadowMargins(const QWidget* window);
// The part of the window the user sees as the window: all of it, less the shadow band.
QRect frameRect(const QWidget* window);

}  // namespace chrome

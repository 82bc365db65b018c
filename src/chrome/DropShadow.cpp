#include "chrome/DropShadow.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

namespace chrome {

namespace {

DropShadow* existingShadow(const QWidget* window) {
    return window ? window->findChild<DropShadow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

DropShadow::DropShadow(QWidget* window, int radius, QPoint offset)
    : QObject(window),
      window_(window),
      radius_(std::max(1, radius)),
      // An offset larger than the blur would put the frame's edge outside the band.
      offset_(std::clamp(offset.x(), -radius_, radius_),
              std::clamp(offset.y(), -radius_, radius_)) {
    setObjectName(QStringLiteral("DropShadow"));
    window_->installEventFilter(this);
}

QMargins DropShadow::margins() const {
    return QMargins(radius_ - offset_.x(), radius_ - offset_.y(), radius_ + offset_.x(),
                    radius_ + offset_.y());
}

bool DropShadow::eventFilter(QObject* watched, QEvent* event) {
    // Painted before the window's own paintEvent and its children, so they draw on top.
    if (watched == window_ && event->type() == QEvent::Paint) paint();
    return QObject::eventFilter(watched, event);
}

void DropShadow::paint() {
    QPainter p(window_);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect frame = window_->rect().marginsRemoved(margins());
    const QRectF shadow = QRectF(frame).translated(offset_);
    // Stacked translucent rings: the alpha adds up towards the frame, a cheap blur.
    p.setPen(Qt::NoPen);
    const int layerAlpha = std::max(4, 110 / radius_);
    for (int k = radius_; k >= 1; --k) {
        QPainterPath ring;
        ring.addRoundedRect(shadow.adjusted(-k, -k, k, k), k, k);
        p.fillPath(ring, QColor(0, 0, 0, layerAlpha));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(frame, window_->palette().color(QPalette::Window));
    p.setPen(window_->palette().color(QPalette::Mid));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
}

DropShadow* applyDropShadow(QWidget* window, int radius, QPoint offset) {
    if (!window) return nullptr;
    QWidget* top = window->window();
    if (DropShadow* shadow = existingShadow(top)) return shadow;
    const bool shown = top->isVisible();
    top->setAttribute(Qt::WA_TranslucentBackground);
    top->setWindowFlags(top->windowFlags() | Qt::FramelessWindowHint);
    auto* shadow = new DropShadow(top, radius, offset);
    const QMargins band = shadow->margins();
    top->setContentsMargins(top->contentsMargins() + band);
    top->resize(top->size().grownBy(band));
    if (shown) top->show();  // changing the flags hid it
    return shadow;
}

QMargins shadowMargins(const QWidget* window) {
    const DropShadow* shadow = existingShadow(window);
    return shadow ? shadow->margins() : QMargins();
}

QRect frameRect(const QWidget* window) {
    return window ? window->rect().marginsRemoved(shadowMargins(window)) : QRect();
}

}  // namespace chrome

#include "chrome/ProgressBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "chrome/Theme.h"

namespace chrome {

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent), barColor_(QColor(0x2e, 0x9e, 0x4f)) {
    setObjectName(QStringLiteral("ProgressBar"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressBar::setBarColor(const QColor& color) {
    barColor_ = color;
    update();
}

QSize ProgressBar::sizeHint() const {
    return QSize(200, std::max(20, fontMetrics().height() + 6));
}

QSize ProgressBar::minimumSizeHint() const {
    return QSize(40, fontMetrics().height() + 2);
}

void ProgressBar::setValue(int value) {
    value = std::clamp(value, minimum, maximum);
    if (value == value_) return;
    value_ = value;
    update();
    emit valueChanged(value_);
}

void ProgressBar::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
    emit captionChanged(caption_);
}

void ProgressBar::reset() {
    setValue(0);
    setCaption(QString());
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), QColor(0x20, 0x20, 0x20));
    const int filled = (rect().width() - 2) * value_ / maximum;
    if (filled > 0) {
        const QRect bar(1, 1, filled, rect().height() - 2);
        QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
        gradient.setColorAt(0, barColor_.lighter(150));
        gradient.setColorAt(0.5, barColor_);
        gradient.setColorAt(1, barColor_.darker(140));
        p.fillRect(bar, gradient);
    }
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(frame);
    if (caption_.isEmpty()) return;
    // Dark text over the filled part, light over the rest: legible at every value.
    const QRect textRect = rect();
    const QRect done(0, 0, 1 + filled, height());
    p.save();
    p.setClipRect(done);
    p.setPen(Qt::black);
    p.drawText(textRect, Qt::AlignCenter, caption_);
    p.restore();
    p.setClipRect(QRect(done.right() + 1, 0, width(), height()));
    p.setPen(titleTextColor());
    p.drawText(textRect, Qt::AlignCenter, caption_);
}

}  // namespace chrome

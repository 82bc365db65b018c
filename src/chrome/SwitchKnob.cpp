#include "chrome/SwitchKnob.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace chrome {

namespace {

// The positions sweep 270 degrees, from lower left over the top to lower right.
constexpr double firstAngle = 225.0;
constexpr double sweep = 270.0;
constexpr int wheelStep = 120;  // one notch of a classic wheel

QColor defaultColor(int position) {
    // The destination colours, in destination order; further positions repeat them.
    static constexpr QRgb table[] = {qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(0, 255, 0),
                                     qRgb(255, 0, 0), qRgb(255, 255, 0)};
    return QColor(table[position % std::size(table)]);
}

// Signed angular distance folded into [-pi, pi].
double angleDistance(double a, double b) {
    double d = std::fmod(a - b, 2 * std::numbers::pi);
    if (d > std::numbers::pi) d -= 2 * std::numbers::pi;
    if (d < -std::numbers::pi) d += 2 * std::numbers::pi;
    return std::abs(d);
}

}  // namespace

SwitchKnob::SwitchKnob(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SwitchKnob"));
    setFocusPolicy(Qt::StrongFocus);
    setPositionCount(defaultPositionCount);
}

void SwitchKnob::setPositionCount(int count) {
    count = std::max(2, count);
    const int old = positionCount();
    colors_.resize(count);
    labels_.resize(count);
    for (int i = old; i < count; ++i) {
        colors_[i] = defaultColor(i);
        labels_[i] = QString::number(i);
    }
    update();
    if (position_ >= count) {
        position_ = count - 1;
        emit positionChanged(position_);
    }
}

QColor SwitchKnob::positionColor(int position) const {
    if (position < 0 || position >= positionCount()) return QColor();
    return colors_[position];
}

void SwitchKnob::setPositionColor(int position, const QColor& color) {
    if (position < 0 || position >= positionCount()) return;
    colors_[position] = color;
    update();
}

QString SwitchKnob::positionLabel(int position) const {
    if (position < 0 || position >= positionCount()) return QString();
    return labels_[position];
}

void SwitchKnob::setPositionLabel(int position, const QString& label) {
    if (position < 0 || position >= positionCount()) return;
    labels_[position] = label;
    updateGeometry();
    update();
}

void SwitchKnob::setPosition(int position) {
    position = std::clamp(position, 0, positionCount() - 1);
    if (position == position_) return;
    position_ = position;
    update();
    emit positionChanged(position_);
}

int SwitchKnob::labelMargin() const {
    int widest = 0;
    for (const QString& label : labels_)
        widest = std::max(widest, fontMetrics().horizontalAdvance(label));
    return std::max(widest, fontMetrics().height()) + 6;
}

QPointF SwitchKnob::knobCenter() const {
    return QRectF(rect()).center();
}

double SwitchKnob::knobRadius() const {
    const double side = std::min(width(), height());
    return std::max(6.0, side / 2.0 - labelMargin());
}

double SwitchKnob::angleOf(int position) const {
    const double degrees = firstAngle - sweep * position / (positionCount() - 1);
    return degrees * std::numbers::pi / 180.0;
}

QPointF SwitchKnob::positionPoint(int position) const {
    const double a = angleOf(std::clamp(position, 0, positionCount() - 1));
    const double r = knobRadius();
    // Screen y grows downwards.
    return knobCenter() + QPointF(r * std::cos(a), -r * std::sin(a));
}

int SwitchKnob::positionAt(const QPointF& point) const {
    const QPointF d = point - knobCenter();
    if (std::hypot(d.x(), d.y()) < 2.0) return -1;
    const double a = std::atan2(-d.y(), d.x());
    int best = 0;
    for (int i = 1; i < positionCount(); ++i)
        if (angleDistance(a, angleOf(i)) < angleDistance(a, angleOf(best))) best = i;
    return best;
}

QSize SwitchKnob::sizeHint() const {
    const int side = 2 * (labelMargin() + 24);
    return QSize(side, side);
}

QSize SwitchKnob::minimumSizeHint() const {
    const int side = 2 * (labelMargin() + 8);
    return QSize(side, side);
}

void SwitchKnob::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = knobCenter();
    const double r = knobRadius();

    // Tick marks and labels around the rim.
    p.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < positionCount(); ++i) {
        const double a = angleOf(i);
        const QPointF dir(std::cos(a), -std::sin(a));
        p.setPen(QPen(palette().color(QPalette::WindowText), i == position_ ? 2.0 : 1.0));
        p.drawLine(c + dir * (r + 1), c + dir * (r + 5));
        const QPointF at = c + dir * (r + 6 + labelMargin() / 2.0);
        const QRectF box(at.x() - labelMargin() / 2.0, at.y() - fontMetrics().height() / 2.0,
                         labelMargin(), fontMetrics().height());
        QFont f = font();
        f.setBold(i == position_);
        p.setFont(f);
        p.drawText(box, Qt::AlignCenter, labels_[i]);
    }

    // The face: flat in the position's colour, with a darker rim for depth.
    const QColor face = color();
    p.setPen(QPen(face.darker(180), 2));
    p.setBrush(face);
    p.drawEllipse(c, r, r);
    QRadialGradient rim(c, r);
    rim.setColorAt(0.8, QColor(0, 0, 0, 0));
    rim.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, r, r);

    // The pointer: a dark bar with a light edge, so it shows on every face colour.
    const double a = angleOf(position_);
    const QPointF dir(std::cos(a), -std::sin(a));
    const QPointF from = c + dir * (r * 0.15);
    const QPointF to = c + dir * (r * 0.9);
    const double thick = std::max(3.0, r * 0.16);
    p.setPen(QPen(QColor(255, 255, 255, 200), thick + 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(QColor(0x18, 0x18, 0x18), thick, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);

    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r + 3, r + 3);
    }
}

void SwitchKnob::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    if (const int at = positionAt(event->position()); at >= 0) setPosition(at);
    event->accept();
}

void SwitchKnob::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    if (const int at = positionAt(event->position()); at >= 0) setPosition(at);
    event->accept();
}

void SwitchKnob::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void SwitchKnob::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Plus:
            setPosition(position_ + 1);
            break;
        case Qt::Key_Left:
        case Qt::Key_Down:
        case Qt::Key_Minus:
            setPosition(position_ - 1);
            break;
        case Qt::Key_Home:
            setPosition(0);
            break;
        case Qt::Key_End:
            setPosition(positionCount() - 1);
            break;
        default:
            return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void SwitchKnob::wheelEvent(QWheelEvent* event) {
    // Fine-grained wheels send small deltas; turn one position per full notch.
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / wheelStep;
    wheelRemainder_ -= steps * wheelStep;
    if (steps != 0) setPosition(position_ + steps);
    event->accept();
}

}  // namespace chrome

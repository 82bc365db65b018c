#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

namespace chrome {

// A round rotary switch with a few fixed positions (five by default, 0 to 4), used as the
// destination switch. Each position has a label drawn around the knob and a colour that fills
// the knob's face while the knob points at it. Turned by a click or drag towards a position,
// the arrow, Home and End keys, and the mouse wheel; it stops at the ends, it does not wrap.
class SwitchKnob : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged USER true)
    Q_PROPERTY(int positionCount READ positionCount WRITE setPositionCount)
    Q_PROPERTY(QColor color READ color WRITE setColor)
  public:
    static constexpr int defaultPositionCount = 5;

    explicit SwitchKnob(QWidget* parent = nullptr);

    int position() const { return position_; }
    int positionCount() const { return static_cast<int>(colors_.size()); }
    // At least 2 positions; the position is pulled back inside the new range.
    void setPositionCount(int count);

    QColor positionColor(int position) const;
    void setPositionColor(int position, const QColor& color);
    QString positionLabel(int position) const;
    void setPositionLabel(int position, const QString& label);
    // The colour of the position the knob points at.
    QColor color() const { return positionColor(position_); }
    // Recolours the position the knob points at, for owners that pick the colour per turn.
    void setColor(const QColor& color) { setPositionColor(position_, color); }

    // Geometry, in widget coordinates, for the owner's layout and for tests: the knob's centre
    // and radius, and the point on the rim that marks a position.
    QPointF knobCenter() const;
    double knobRadius() const;
    QPointF positionPoint(int position) const;
    // The position whose mark lies closest in angle to `point`; -1 at the very centre.
    int positionAt(const QPointF& point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  public slots:
    // Out-of-range positions are clamped to the ends.
    void setPosition(int position);

  signals:
    void positionChanged(int position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    double angleOf(int position) const;  // radians, counter-clockwise from the right
    int labelMargin() const;

    int position_ = 0;
    QList<QColor> colors_;
    QList<QString> labels_;
    bool dragging_ = false;
    int wheelRemainder_ = 0;
};

}  // namespace chrome

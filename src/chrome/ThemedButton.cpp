#include "chrome/ThemedButton.h"

#include <QEnterEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "chrome/Theme.h"

namespace chrome {

ThemedButton::ThemedButton(QWidget* parent) : ThemedButton(QString(), parent) {}

ThemedButton::ThemedButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), themeColor_(defaultThemeColor()) {
    setObjectName(QStringLiteral("ThemedButton"));
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void ThemedButton::setThemeColor(const QColor& color) {
    if (color == themeColor_) return;
    themeColor_ = color;
    update();
    emit themeColorChanged(color);
}

ThemedButton::Look ThemedButton::look() const {
    if (!isEnabled()) return Look::Disabled;
    if (isDown() || isChecked()) return Look::Pressed;
    if (hovered_) return Look::Hover;
    return Look::Normal;
}

QSize ThemedButton::sizeHint() const {
    const QFontMetrics fm(font());
    const int textWidth = fm.horizontalAdvance(text());
    const int iconWidth = icon().isNull() ? 0 : iconSize().width() + 6;
    return QSize(std::max(72, textWidth + iconWidth + 24),
                 std::max(26, std::max(fm.height(), iconSize().height()) + 10));
}

QSize ThemedButton::minimumSizeHint() const {
    return QSize(24, 20);
}

void ThemedButton::paintEvent(QPaintEvent*) {
    const Look current = look();
    QColor top;
    QColor bottom;
    QColor border;
    QColor textColor = Qt::white;
    switch (current) {
        case Look::Normal:
            top = themeColor_.lighter(135);
            bottom = themeColor_;
            border = themeColor_.darker(140);
            break;
        case Look::Hover:
            top = themeColor_.lighter(170);
            bottom = themeColor_.lighter(125);
            border = themeColor_.darker(120);
            break;
        case Look::Pressed:
            // Light falls the other way on a pressed face.
            top = themeColor_.darker(160);
            bottom = themeColor_.darker(120);
            border = themeColor_.darker(200);
            break;
        case Look::Disabled: {
            const int grey = qGray(themeColor_.rgb());
            const QColor flat(std::clamp(grey + 90, 0, 230), std::clamp(grey + 90, 0, 230),
                              std::clamp(grey + 90, 0, 230));
            top = flat.lighter(105);
            bottom = flat;
            border = flat.darker(130);
            textColor = flat.darker(170);
            break;
        }
    }

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(face, 4, 4);
    p.fillPath(path, gradient);
    p.setPen(QPen(border, 1));
    p.drawPath(path);
    if (hasFocus() && current != Look::Disabled) {
        p.setPen(QPen(QColor(255, 255, 255, 140), 1, Qt::DotLine));
        p.drawRoundedRect(face.adjusted(3, 3, -3, -3), 3, 3);
    }

    QRect content = rect().adjusted(6, 2, -6, -2);
    if (current == Look::Pressed) content.translate(1, 1);
    if (!icon().isNull()) {
        const QIcon::Mode mode = current == Look::Disabled ? QIcon::Disabled : QIcon::Normal;
        const QPixmap pm = icon().pixmap(iconSize(), devicePixelRatio(), mode);
        const QFontMetrics fm(font());
        const int total =
            iconSize().width() + (text().isEmpty() ? 0 : 6 + fm.horizontalAdvance(text()));
        const int x = content.left() + std::max(0, (content.width() - total) / 2);
        const int y = content.top() + (content.height() - iconSize().height()) / 2;
        p.drawPixmap(x, y, pm);
        content.setLeft(x + iconSize().width() + 6);
        p.setPen(textColor);
        p.drawText(content, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
        return;
    }
    p.setPen(textColor);
    p.drawText(content, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

void ThemedButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QPushButton::enterEvent(event);
}

void ThemedButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QPushButton::leaveEvent(event);
}

}  // namespace chrome

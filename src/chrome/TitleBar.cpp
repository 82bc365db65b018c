#include "chrome/TitleBar.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "chrome/DropShadow.h"
#include "chrome/Theme.h"

namespace chrome {

namespace {

enum class Glyph { Minimize, Maximize, Restore, Close };

// One caption button: a glyph, a light face under the pointer, red for close.
class TitleButton : public QAbstractButton {
  public:
    TitleButton(Glyph glyph, QWidget* parent) : QAbstractButton(parent), glyph_(glyph) {
        setAttribute(Qt::WA_Hover);
        setFocusPolicy(Qt::NoFocus);
        setFixedSize(30, TitleBar::barHeight - 6);
    }
    void setGlyph(Glyph glyph) {
        glyph_ = glyph;
        update();
    }
    Glyph glyph() const { return glyph_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const bool hot = underMouse() || isDown();
        if (hot) {
            const QColor face = glyph_ == Glyph::Close ? QColor(0xd0, 0x30, 0x30)
                                                       : QColor(255, 255, 255, isDown() ? 90 : 55);
            p.fillRect(rect(), face);
        }
        p.setPen(QPen(titleTextColor(), 1.4));
        p.setBrush(Qt::NoBrush);
        const QRectF box(width() / 2.0 - 5, height() / 2.0 - 5, 10, 10);
        switch (glyph_) {
            case Glyph::Minimize:
                p.drawLine(QPointF(box.left(), box.bottom()), box.bottomRight());
                break;
            case Glyph::Maximize:
                p.drawRect(box);
                break;
            case Glyph::Restore:
                p.drawRect(box.adjusted(0, 3, -3, 0));
                p.drawLine(QPointF(box.left() + 3, box.top() + 3),
                           QPointF(box.left() + 3, box.top()));
                p.drawLine(QPointF(box.left() + 3, box.top()), box.topRight());
                p.drawLine(box.topRight(), QPointF(box.right(), box.bottom() - 3));
                p.drawLine(QPointF(box.right(), box.bottom() - 3),
                           QPointF(box.right() - 3, box.bottom() - 3));
                break;
            case Glyph::Close:
                p.drawLine(box.topLeft(), box.bottomRight());
                p.drawLine(box.topRight(), box.bottomLeft());
                break;
        }
    }

  private:
    Glyph glyph_;
};

}  // namespace

TitleBar::TitleBar(QWidget* parent, Buttons buttons)
    : QWidget(parent), themeColor_(defaultThemeColor()), buttons_(buttons) {
    setObjectName(QStringLiteral("TitleBar"));
    setAttribute(Qt::WA_StyledBackground, false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 3, 3);
    layout->setSpacing(1);
    layout->addStretch(1);
    min_ = new TitleButton(Glyph::Minimize, this);
    min_->setObjectName(QStringLiteral("TitleMin"));
    min_->setToolTip(tr("Minimise"));
    max_ = new TitleButton(Glyph::Maximize, this);
    max_->setObjectName(QStringLiteral("TitleMax"));
    max_->setToolTip(tr("Maximise"));
    close_ = new TitleButton(Glyph::Close, this);
    close_->setObjectName(QStringLiteral("TitleClose"));
    close_->setToolTip(tr("Close"));
    layout->addWidget(min_);
    layout->addWidget(max_);
    layout->addWidget(close_);
    connect(min_, &QAbstractButton::clicked, this, [this] { window()->showMinimized(); });
    connect(max_, &QAbstractButton::clicked, this, &TitleBar::toggleMaximized);
    connect(close_, &QAbstractButton::clicked, this, [this] { window()->close(); });
    setButtons(buttons);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TitleBar::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
    emit captionChanged(caption);
}

void TitleBar::setThemeColor(const QColor& color) {
    themeColor_ = color;
    update();
}

void TitleBar::setButtons(Buttons buttons) {
    buttons_ = buttons;
    min_->setVisible(buttons.testFlag(Minimize));
    max_->setVisible(buttons.testFlag(Maximize));
    close_->setVisible(buttons.testFlag(Close));
}

QSize TitleBar::sizeHint() const {
    return QSize(200, barHeight);
}

void TitleBar::dockInto(QWidget* window) {
    if (!window || dock_ == window) return;
    if (parentWidget() != window) setParent(window);
    dock_ = window;
    window->installEventFilter(this);
    window->setContentsMargins(window->contentsMargins() + QMargins(0, barHeight, 0, 0));
    window->resize(window->width(), window->height() + barHeight);
    placeOnDock();
    show();
}

void TitleBar::placeOnDock() {
    if (!dock_) return;
    const QRect frame = frameRect(dock_);
    setGeometry(frame.left(), frame.top(), frame.width(), barHeight);
    raise();
}

void TitleBar::syncMaximizeGlyph() {
    auto* button = static_cast<TitleButton*>(max_);
    const bool maximized = window()->isMaximized();
    button->setGlyph(maximized ? Glyph::Restore : Glyph::Maximize);
    button->setToolTip(maximized ? tr("Restore") : tr("Maximise"));
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dock_) {
        switch (event->type()) {
            case QEvent::Resize:
            case QEvent::ContentsRectChange:
            case QEvent::Show:
                placeOnDock();
                break;
            case QEvent::WindowStateChange:
                syncMaximizeGlyph();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::toggleMaximized() {
    QWidget* w = window();
    if (w->isMaximized())
        w->showNormal();
    else
        w->showMaximized();
    syncMaximizeGlyph();
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, themeColor_.lighter(160));
    gradient.setColorAt(0.5, themeColor_);
    gradient.setColorAt(1, themeColor_.darker(130));
    p.fillRect(rect(), gradient);

    int right = width();
    for (const QAbstractButton* b : {min_, max_, close_})
        if (b->isVisibleTo(this)) right = std::min(right, b->x());
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(titleTextColor());
    const QRect textRect(8, 0, std::max(0, right - 12), height());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(bold).elidedText(caption_, Qt::ElideRight, textRect.width()));
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    QWidget* w = window();
    if (w->isMaximized()) return;
    // Wayland only lets the compositor move windows; where it can, let it.
    if (QWindow* handle = w->windowHandle(); handle && handle->startSystemMove()) return;
    dragging_ = true;
    pressGlobal_ = event->globalPosition().toPoint();
    windowStart_ = w->pos();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    window()->move(windowStart_ + event->globalPosition().toPoint() - pressGlobal_);
    event->accept();
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && buttons_.testFlag(Maximize)) {
        dragging_ = false;
        toggleMaximized();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

TitleBar* installTitleBar(QWidget* window, const QString& caption, TitleBar::Buttons which) {
    if (!window) return nullptr;
    QWidget* top = window->window();
    auto* bar = top->findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar) {
        const bool shown = top->isVisible();
        top->setWindowFlags(top->windowFlags() | Qt::FramelessWindowHint);
        bar = new TitleBar(top, which);
        bar->dockInto(top);
        if (shown) top->show();  // changing the flags hid it
    }
    bar->setButtons(which);
    bar->setCaption(caption);
    return bar;
}

}  // namespace chrome

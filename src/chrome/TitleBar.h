#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

class QAbstractButton;

namespace chrome {

// The drawn title bar of the program's frameless windows: a gradient in the theme colour, the
// caption, and minimise, maximise and close buttons ("TitleMin", "TitleMax", "TitleClose").
// Dragging the bar moves its window; a double click maximises or restores it when the bar has
// a maximise button.
class TitleBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption NOTIFY captionChanged)
    Q_PROPERTY(QColor themeColor READ themeColor WRITE setThemeColor)
  public:
    enum Button { NoButton = 0x0, Minimize = 0x1, Maximize = 0x2, Close = 0x4, AllButtons = 0x7 };
    Q_DECLARE_FLAGS(Buttons, Button)
    Q_FLAG(Buttons)

    static constexpr int barHeight = 28;

    explicit TitleBar(QWidget* parent = nullptr, Buttons buttons = AllButtons);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QColor themeColor() const { return themeColor_; }
    void setThemeColor(const QColor& color);
    Buttons buttons() const { return buttons_; }
    void setButtons(Buttons buttons);

    // Pins the bar to the top of `window`'s frame and keeps it there as the window resizes;
    // the window's contents move down by the bar's height. Used by installTitleBar().
    void dockInto(QWidget* window);

    QSize sizeHint() const override;

  signals:
    void captionChanged(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void toggleMaximized();
    void placeOnDock();
    void syncMaximizeGlyph();

    QString caption_;
    QColor themeColor_;
    Buttons buttons_;
    QAbstractButton* min_;
    QAbstractButton* max_;
    QAbstractButton* close_;
    QWidget* dock_ = nullptr;
    bool dragging_ = false;
    QPoint pressGlobal_;
    QPoint windowStart_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TitleBar::Buttons)

// Makes `window` frameless and gives it the drawn title bar with `caption` and the buttons in
// `which`. A second call updates the bar already installed.
TitleBar* installTitleBar(QWidget* window, const QString& caption,
                          TitleBar::Buttons which = TitleBar::AllButtons);

}  // namespace chrome

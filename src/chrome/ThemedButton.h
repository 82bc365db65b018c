#pragma once

#include <QColor>
#include <QPushButton>

namespace chrome {

// The program's push button: a rounded, gradient face in the theme colour, drawn by us so that it
// looks the same on every desktop style.
class ThemedButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor themeColor READ themeColor WRITE setThemeColor NOTIFY themeColorChanged)
  public:
    enum class Look { Normal, Hover, Pressed, Disabled };
    Q_ENUM(Look)

    explicit ThemedButton(QWidget* parent = nullptr);
    explicit ThemedButton(const QString& text, QWidget* parent = nullptr);

    QColor themeColor() const { return themeColor_; }
    void setThemeColor(const QColor& color);

    // The look the next paint uses, from the enabled, down/checked and hover states.
    Look look() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void themeColorChanged(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QColor themeColor_;
    // Tracked ourselves: underMouse() lags behind synthetic enter/leave events.
    bool hovered_ = false;
};

}  // namespace chrome

#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace chrome {

class ThemedButton;
class TitleBar;

// The help window "HelpForm": a small topmost window with the drawn title bar and drop shadow
// that shows one help text (CR LF line breaks) read-only, and a close button "CloseHelp".
// The owner keeps one window and calls showText() at every help icon click.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The text as given, line breaks and all.
    QString text() const { return text_; }
    void setText(const QString& text);
    // setText(), then show the window in front.
    void showText(const QString& text);

  private:
    QString text_;
    QPlainTextEdit* view_;
};

}  // namespace chrome

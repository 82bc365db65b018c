#pragma once

#include <QWidget>

class QLabel;

namespace chrome {
class ProgressBar;
}

namespace startup {

// The splash shown while batch mode fills its list.
class CorvaneLoad : public QWidget {
    Q_OBJECT
  public:
    explicit CorvaneLoad(QWidget* parent = nullptr);
    chrome::ProgressBar* bar() const { return bar_; }

  private:
    QLabel* caption_;
    chrome::ProgressBar* bar_;
};

}  // namespace startup

#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace startup {

// The splash shown while batch mode fills its list.
class CorvaneLoad : public QWidget {
    Q_OBJECT
public:
    explicit CorvaneLoad(QWidget* parent = nullptr);
    QProgressBar* bar() const { return bar_; }

private:
    QLabel* caption_;
    QProgressBar* bar_;
};

}  // namespace startup

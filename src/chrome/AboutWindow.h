#pragma once

#include <QDialog>

namespace chrome {

// The small About window: what the program is and which version runs.
class AboutWindow : public QDialog {
    Q_OBJECT
  public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace chrome

#pragma once

#include <QWidget>
#include <array>

class QLabel;

namespace chrome {

class ProgressBar;

// The export window `Progress`: items done of the total, a percentage bar, and the animation of
// the destination being exported to (0 slides, 1 document, 2 web page, 3 PDF, 4 image files).
class ProgressWindow : public QWidget {
    Q_OBJECT
  public:
    ProgressWindow(int destination, int total, QWidget* parent = nullptr);

    // AdvanceExportProgress: one more item exported. Closes the export dialogs still open,
    // counts it into `done` and shows `done` of `total`.
    void AdvanceExportProgress(int& done, int total);

    ProgressBar* bar() const { return bar_; }
    QString doneText() const;
    QString totalText() const;
    int visibleAnimation() const;

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    ProgressBar* bar_;
    QLabel* done_;
    QLabel* total_;
    std::array<QLabel*, 5> animations_{};
    int frame_ = 0;
};

// Closes the export dialogs that are still open; a progress step starts with that.
void closeExportDialogs();

}  // namespace chrome

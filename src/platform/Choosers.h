#pragma once

// The folder and file choosers the export dialogs open. Tests answer them from a queue.

#include <QString>
#include <QStringList>
#include <deque>

namespace platform {

class Chooser {
  public:
    virtual ~Chooser() = default;
    // The chosen folder, or empty when cancelled.
    virtual QString chooseFolder(const QString& title, const QString& start) = 0;
    // The file to write, or empty when cancelled. `filter` as QFileDialog reads it.
    virtual QString chooseSaveFile(const QString& title, const QString& startFolder,
                                   const QString& filter) = 0;
};

// QFileDialog.
class DialogChooser : public Chooser {
  public:
    QString chooseFolder(const QString& title, const QString& start) override;
    QString chooseSaveFile(const QString& title, const QString& startFolder,
                           const QString& filter) override;
};

// Records each request and answers from a queue; cancels when the queue is empty.
class RecordingChooser : public Chooser {
  public:
    QString chooseFolder(const QString& title, const QString& start) override;
    QString chooseSaveFile(const QString& title, const QString& startFolder,
                           const QString& filter) override;
    void answerNext(const QString& path) { answers_.push_back(path); }
    const QStringList& requests() const { return requests_; }  // the titles asked

  private:
    QString next();
    std::deque<QString> answers_;
    QStringList requests_;
};

}  // namespace platform

#include "platform/Choosers.h"

#include <QFileDialog>

namespace platform {

QString DialogChooser::chooseFolder(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(nullptr, title, start);
}

QString DialogChooser::chooseSaveFile(const QString& title, const QString& startFolder,
                                      const QString& filter) {
    return QFileDialog::getSaveFileName(nullptr, title, startFolder, filter);
}

QString RecordingChooser::next() {
    if (answers_.empty()) return {};
    QString answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString RecordingChooser::chooseFolder(const QString& title, const QString&) {
    requests_ << title;
    return next();
}

QString RecordingChooser::chooseSaveFile(const QString& title, const QString&, const QString&) {
    requests_ << title;
    return next();
}

}  // namespace platform

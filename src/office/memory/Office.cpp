#include "office/memory/Office.h"

#include <QFile>
#include <QSaveFile>

#include "office/Error.h"

namespace office::memory {

namespace {
[[noreturn]] void notRunning(const QString& application) {
    throw Error(errors::NotRunning,
                QStringLiteral("ActiveX component can't create object (%1)").arg(application));
}
}  // namespace

Office::Office()
    : clipboard_(std::make_shared<Clipboard>()),
      excel_(std::make_shared<ExcelApp>(clipboard_)),
      powerPoint_(std::make_shared<PowerPointApp>()),
      word_(std::make_shared<WordApp>(clipboard_, excel_)) {
    excel_->powerPoint = powerPoint_;
    powerPoint_->clipboard = clipboard_;
}

Office::~Office() = default;

std::shared_ptr<office::Excel> Office::attachExcel() {
    if (!excel_->running) notRunning(QStringLiteral("Excel.Application"));
    return excel_;
}

std::shared_ptr<office::PowerPoint> Office::attachPowerPoint() {
    if (!powerPoint_->running) notRunning(QStringLiteral("PowerPoint.Application"));
    return powerPoint_;
}

std::shared_ptr<office::Word> Office::attachWord() {
    if (!word_->running) notRunning(QStringLiteral("Word.Application"));
    return word_;
}

void Office::finish() {
    if (!dumpPath_.isEmpty()) writeDesktop(dumpPath_);
}

void Office::writeDesktop(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DesktopError(
            QStringLiteral("%1: cannot write: %2").arg(path, file.errorString()).toStdString());
    file.write(toJson());
    if (!file.commit())
        throw DesktopError(
            QStringLiteral("%1: cannot write: %2").arg(path, file.errorString()).toStdString());
}

std::unique_ptr<Office> loadDesktop(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DesktopError(
            QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()).toStdString());
    return Office::fromJson(file.readAll(), path);
}

}  // namespace office::memory

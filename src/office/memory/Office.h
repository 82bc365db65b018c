#pragma once

// The built-in office: an office of our own, loaded from a desktop file and written back as one.

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

#include "office/Host.h"
#include "office/memory/Clipboard.h"
#include "office/memory/Documents.h"
#include "office/memory/Spreadsheet.h"
#include "platform/Pacer.h"

namespace office::memory {

// A desktop file that cannot be loaded. The message names the file, the key and the fault:
// "desktop.json: excel.workbooks[0].sheets[2].visible: expected -1, 0 or 2".
class DesktopError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Office : public office::Host {
  public:
    // Throws DesktopError. `nameForMessages` stands for the file in error messages.
    static std::unique_ptr<Office> fromJson(const QByteArray& json, const QString& nameForMessages);

    Office();
    ~Office() override;

    std::shared_ptr<office::Excel> attachExcel() override;
    std::shared_ptr<office::PowerPoint> attachPowerPoint() override;
    std::shared_ptr<office::Word> attachWord() override;
    Clipboard& clipboard() override { return *clipboard_; }
    platform::Pacer& pacer() override { return pacer_; }
    // Writes the dump when a dump path is set.
    void finish() override;

    // Where finish() writes the desktop; empty for nowhere.
    void setDumpPath(const QString& path) { dumpPath_ = path; }
    const QString& dumpPath() const { return dumpPath_; }

    // The whole state in the desktop format. writeDesktop throws DesktopError when it cannot write.
    QByteArray toJson() const;
    void writeDesktop(const QString& path) const;

    // What a run did, for tests: every value screen updating was set to, in order; the macros
    // run; the clipboard.
    std::vector<bool> screenUpdatingLog() const { return excel_->screenUpdatingLog(); }
    const std::vector<QString>& macroCalls() const { return excel_->macroCalls(); }
    const Clipboard& memoryClipboard() const { return *clipboard_; }

    // The applications, running or not.
    ExcelApp& excel() const { return *excel_; }
    PowerPointApp& powerPoint() const { return *powerPoint_; }
    WordApp& word() const { return *word_; }

  private:
    std::shared_ptr<Clipboard> clipboard_;
    std::shared_ptr<ExcelApp> excel_;
    std::shared_ptr<PowerPointApp> powerPoint_;
    std::shared_ptr<WordApp> word_;
    platform::ImmediatePacer pacer_;
    QString dumpPath_;
};

// Reads a desktop file; throws DesktopError.
std::unique_ptr<Office> loadDesktop(const QString& path);

}  // namespace office::memory

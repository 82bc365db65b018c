#pragma once

// Hands addresses, files and folders to the desktop's own programs. Never waits.

#include <QString>
#include <QStringList>

namespace platform {

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a web address, a file or a folder with the desktop's default handler.
    virtual void open(const QString& target) = 0;
};

// Starts `xdg-open TARGET` detached; an opener can be named for tests and other desktops.
class DesktopShell : public Shell {
  public:
    explicit DesktopShell(QString opener = QStringLiteral("xdg-open"))
        : opener_(std::move(opener)) {}
    void open(const QString& target) override;

  private:
    QString opener_;
};

class RecordingShell : public Shell {
  public:
    void open(const QString& target) override { opened_ << target; }
    const QStringList& opened() const { return opened_; }

  private:
    QStringList opened_;
};

}  // namespace platform

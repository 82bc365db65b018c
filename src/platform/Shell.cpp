#include "platform/Shell.h"

#include <QProcess>
#include <csignal>

namespace platform {

void DesktopShell::open(const QString& target) {
    // Detached, so the program never waits for the browser or viewer; a missing opener is
    // no error of ours, as a desktop without a browser is not.
    QProcess process;
    process.setProgram(opener_);
    process.setArguments({target});
    // The program ignores SIGPIPE while attached to LibreOffice; what it opens should not.
    process.setChildProcessModifier([] { std::signal(SIGPIPE, SIG_DFL); });
    process.startDetached();
}

}  // namespace platform

#include "platform/Shell.h"

#include <QProcess>

namespace platform {

void DesktopShell::open(const QString& target) {
    // Detached, so the program never waits for the browser or viewer; a missing opener is
    // no error of ours, as a desktop without a browser is not.
    QProcess::startDetached(opener_, {target});
}

}  // namespace platform

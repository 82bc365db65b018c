#include <QFileInfo>

#include "office/libreoffice/LibreOffice.h"
#include "office/memory/Office.h"
#include "startup/Program.h"

namespace startup {

HostChoice makeHostFromEnvironment() {
    const QString spec = qEnvironmentVariable("CORVANE_HOST", QStringLiteral("libreoffice"));
    if (spec.startsWith(QLatin1String("memory:"))) {
        const QString path = spec.mid(7);
        try {
            auto office = office::memory::loadDesktop(path);
            office->setDumpPath(qEnvironmentVariable("CORVANE_DUMP"));
            return {std::move(office), {}};
        } catch (const std::exception& e) {
            return {nullptr, QString::fromUtf8(e.what())};
        }
    }
    if (spec == QLatin1String("libreoffice"))
        return {office::libreoffice::makeHost(
                    qEnvironmentVariable("CORVANE_UNO_PIPE", office::libreoffice::DefaultPipe)),
                {}};
    return {nullptr, QStringLiteral(
                         "CORVANE_HOST=%1 names no office; use memory:DESKTOP.json or libreoffice")
                         .arg(spec)};
}

}  // namespace startup

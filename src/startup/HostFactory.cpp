#include <QFileInfo>

#include "office/libreoffice/LibreOffice.h"
#include "office/memory/Office.h"
#include "startup/Program.h"

namespace startup {

HostChoice makeHostFromEnvironment() {
    const QString choice = qEnvironmentVariable("CORVANE_HOST", QStringLiteral("libreoffice"));
    if (choice.startsWith(QLatin1String("memory:"))) {
        const QString path = choice.mid(7);
        try {
            auto office = office::memory::loadDesktop(path);
            office->setDumpPath(qEnvironmentVariable("CORVANE_DUMP"));
            return {std::move(office), {}};
        } catch (const std::exception& e) {
            return {nullptr, QString::fromUtf8(e.what())};
        }
    }
    if (choice == QLatin1String("libreoffice"))
        return {office::libreoffice::makeHost(
                    qEnvironmentVariable("CORVANE_UNO_PIPE", office::libreoffice::DefaultPipe)),
                {}};
    return {nullptr, QStringLiteral(
                         "CORVANE_HOST=%1 names no office; use memory:DESKTOP.json or libreoffice")
                         .arg(choice)};
}

}  // namespace startup

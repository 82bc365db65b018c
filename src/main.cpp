#include <QApplication>

#include "startup/Program.h"

int main(int argc, char** argv) {
    // Without a display nobody can answer a window: run unattended, drawing offscreen.
    const bool display =
        qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!display && qEnvironmentVariableIsEmpty("CORVANE_UNATTENDED"))
        qputenv("CORVANE_UNATTENDED", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        (!display || qEnvironmentVariable("CORVANE_UNATTENDED") == QLatin1String("1")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    return startup::runProgram(QApplication::arguments());
}

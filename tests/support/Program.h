#pragma once

// The real program, started as a user would, unattended, on a built-in desktop or a LibreOffice.

#include <QByteArray>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace test {

struct Corvane {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home;  // also HOME, the runtime folder and the output root
    int exitCode = -1;
    QString err;

    Corvane();
    Corvane& desktop(const QString& path);
    // Writes the desktop into the home folder first.
    Corvane& desktopJson(const QByteArray& json);
    // The LibreOffice listening on `pipe` instead of a built-in desktop.
    Corvane& libreOffice(const QString& pipe);
    // Asks for the dump; read it with dump() after run().
    Corvane& dumping();
    void run(const QString& code);
    QJsonObject dump() const;
};

}  // namespace test

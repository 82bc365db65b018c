#include "support/Program.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

namespace test {

Corvane::Corvane() {
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.insert("CORVANE_UNATTENDED", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CORVANE_OUTPUT_ROOT", home.path());
}

Corvane& Corvane::desktop(const QString& path) {
    env.insert("CORVANE_HOST", "memory:" + path);
    return *this;
}

Corvane& Corvane::desktopJson(const QByteArray& json) {
    QFile f(home.filePath("in.json"));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(json);
    return desktop(f.fileName());
}

Corvane& Corvane::libreOffice(const QString& pipe) {
    env.insert("CORVANE_HOST", "libreoffice");
    env.insert("CORVANE_UNO_PIPE", pipe);
    return *this;
}

Corvane& Corvane::dumping() {
    env.insert("CORVANE_DUMP", home.filePath("out.json"));
    return *this;
}

void Corvane::run(const QString& code) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(CORVANE_BINARY, {code});
    EXPECT_TRUE(p.waitForFinished(60000));
    exitCode = p.exitCode();
    err = QString::fromLocal8Bit(p.readAllStandardError());
}

QJsonObject Corvane::dump() const {
    QFile f(home.filePath("out.json"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << err.toStdString();
    return QJsonDocument::fromJson(f.readAll()).object();
}

}  // namespace test

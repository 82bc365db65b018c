#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "WordDesktop.h"

namespace {

// The program itself, unattended, on a desktop with a range selected and a document open.
QJsonObject runProgram(const QString& code, const QByteArray& json, QString* err) {
    QTemporaryDir home;
    const QString in = home.filePath("in.json"), out = home.filePath("out.json");
    QFile f(in);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(json);
    f.close();
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.insert("CORVANE_UNATTENDED", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CORVANE_HOST", "memory:" + in);
    env.insert("CORVANE_DUMP", out);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(CORVANE_BINARY, {code});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    *err = QString::fromLocal8Bit(p.readAllStandardError());
    QFile dump(out);
    EXPECT_TRUE(dump.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(dump.readAll()).object();
}

QJsonArray content(const QJsonObject& desktop) {
    return desktop["word"]["documents"][0]["content"].toArray();
}

TEST(Unattended, TableCodePutsTheRangeValuesIntoTheDocument) {
    QString err;
    const auto out = runProgram("/812", wordtest::desktop(), &err);
    const auto blocks = content(out);
    ASSERT_EQ(blocks.size(), 3) << err.toStdString();
    EXPECT_EQ(
        blocks[1]["table"].toArray(),
        QJsonArray::fromVariantList({QVariantList{"Region", "Sales"}, QVariantList{"North", "12.5"},
                                     QVariantList{"South", "7"}}));
    EXPECT_EQ(out["word"]["activations"].toInt(), 1);
}

TEST(Unattended, TableCodeRefusesCharts) {
    QString err;
    const auto out = runProgram(
        "/812", wordtest::desktop({}, R"({"kind": "chartArea", "chart": "Wide"})"), &err);
    EXPECT_EQ(err.trimmed(), "Corvane: This icon refers to tables only");
    EXPECT_EQ(content(out).size(), 2);
}

}  // namespace

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "WordDesktop.h"
#include "support/Program.h"

namespace {

// The program itself, unattended, on a desktop with a range selected and a document open.
QJsonObject runProgram(const QString& code, const QByteArray& json, QString* err) {
    test::Corvane program;
    program.desktopJson(json).dumping().run(code);
    EXPECT_EQ(program.exitCode, 0);
    *err = program.err;
    return program.dump();
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

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "support/Program.h"
#include "support/Slides.h"

namespace {

// The program started unattended with one code on a slides desktop; its dump read back.
struct Started {
    test::Corvane program;
    QString& err = program.err;
    QJsonObject dump;

    Started(const QString& code, const std::function<void(QJsonObject&)>& change = {}) {
        QFile desktop(test::fixturePath("slides.json"));
        EXPECT_TRUE(desktop.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(desktop.readAll()).object();
        if (change) change(root);
        program.desktopJson(QJsonDocument(root).toJson()).dumping().run(code);
        dump = program.dump();
    }
    int exitCode() const { return program.exitCode; }
    QJsonValue at(const char* key) const { return dump.value(QLatin1String(key)); }
    QJsonArray shapes(int slide) const {
        return at("powerpoint")["presentations"][0]["slides"][slide - 1]["shapes"].toArray();
    }
};

TEST(Program, SelectedChartGoesToTheSlideInViewAsAPicture) {
    Started s("/212");
    EXPECT_EQ(s.exitCode(), 0) << s.err.toStdString();
    const QJsonArray shapes = s.shapes(2);
    ASSERT_EQ(shapes.size(), 2);
    const QJsonObject chart = shapes[1].toObject();
    EXPECT_EQ(chart["kind"].toString(), "metafile");
    EXPECT_EQ(chart["source"]["item"].toString(), "Revenue");
    EXPECT_DOUBLE_EQ(chart["top"].toDouble(), 94.5);
    // Bottom at 0.95 of the slide, centred.
    EXPECT_DOUBLE_EQ(chart["top"].toDouble() + chart["height"].toDouble(), 513);
    EXPECT_DOUBLE_EQ(chart["left"].toDouble(),
                     static_cast<int>(std::nearbyint(720 - chart["width"].toDouble())) / 2);
    EXPECT_EQ(s.at("excel")["windowState"].toInt(), -4137);
    EXPECT_TRUE(s.at("clipboard").isNull());
}

TEST(Program, EmbeddedCodeRefusesARangeTouchingAChartCorner) {
    Started s("/3122", [](QJsonObject& r) {
        test::setSelection(r, QJsonObject{{"kind", "range"}, {"address", "H12:J14"}});
    });
    EXPECT_TRUE(s.err.contains(
        "Corvane: The specified range contains embedded charts. Please export in another format"))
        << s.err.toStdString();
    EXPECT_EQ(s.shapes(2).size(), 1);
}

TEST(Program, LayoutWindowClosedWithoutStoring) {
    Started s("/006", [](QJsonObject& r) { test::setLayoutCells(r, 0.3, "Default", "Default"); });
    EXPECT_TRUE(s.err.contains("Corvane: window LayoutForm")) << s.err.toStdString();
    const QJsonArray sheets = s.at("excel")["workbooks"][0]["sheets"].toArray();
    EXPECT_EQ(sheets[3]["cells"]["O1"].toDouble(), 0.3);
}

}  // namespace

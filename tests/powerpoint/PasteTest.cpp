#include <gtest/gtest.h>

#include <QJsonArray>

#include "office/Error.h"
#include "powerpoint/Paste.h"
#include "support/Slides.h"

namespace {

using test::SlidesRun;

// Copies an item of the slides desktop as the exports do before a paste.
void copy(SlidesRun& t, const QString& kind) {
    auto data = t.workbook().findSheet(QStringLiteral("Data"));
    if (kind == QLatin1String("Range"))
        data->range(QStringLiteral("A1:B3")).copy();
    else if (kind == QLatin1String("Embedded"))
        data->findChartObject(QStringLiteral("Revenue"))->chart()->copy();
    else
        t.workbook().findSheet(QStringLiteral("Trend"))->chart()->copy();
}

struct PasteCase {
    int format;
    const char* kind;
    const char* version;
    const char* shape;  // the kind of the new last shape of slide 4; "" for none
    int layout;         // of slide 4 afterwards (blank before)
    bool placementDone;
    int commands;  // "PasteSourceFormatting" commands run
    int waited;    // milliseconds asked of the pacer
};

class PasteFormats : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteFormats, PutTheItemLastOnTheTargetSlide) {
    const auto& c = GetParam();
    SlidesRun t([&](QJsonObject& root) {
        test::setPowerPoint(root, "version", QString::fromLatin1(c.version));
        test::setWindow(root, "slideIndex", 4);
    });
    t.state.powerPoint.currentSlideIndex = 4;
    copy(t, QString::fromLatin1(c.kind));
    powerpoint::PasteIntoSlide(t.services, t.state, c.format, QString::fromLatin1(c.kind));

    const auto& slide = t.slide(4);
    if (*c.shape) {
        ASSERT_EQ(slide.shapes.size(), 1u);
        EXPECT_EQ(slide.shapes.back().kind, QString::fromLatin1(c.shape));
        ASSERT_TRUE(slide.shapes.back().source);
        EXPECT_EQ(slide.shapes.back().source->workbook, QStringLiteral("Sales.xlsx"));
    } else {
        EXPECT_TRUE(slide.shapes.empty());
    }
    EXPECT_EQ(slide.layout, c.layout);
    EXPECT_EQ(t.state.powerPoint.placementDone, c.placementDone);
    EXPECT_EQ(static_cast<int>(t.powerPoint().commands.size()), c.commands);
    EXPECT_EQ(t.waited(), c.waited);
    EXPECT_EQ(t.slide(2).shapes.size(), 1u) << "another slide changed";
}

INSTANTIATE_TEST_SUITE_P(
    Paste, PasteFormats,
    ::testing::Values(PasteCase{0, "Range", "16.0", "bitmap", 12, false, 0, 0},
                      PasteCase{0, "Embedded", "16.0", "metafile", 12, false, 0, 0},
                      PasteCase{0, "{Chart Sheet}", "14.0", "metafile", 12, false, 0, 0},
                      PasteCase{1, "Embedded", "14.0", "editable", 12, false, 0, 0},
                      PasteCase{1, "Chart", "16.0", "editable", 12, false, 1, 1000},
                      PasteCase{1, "Range", "14.0", "table", 11, true, 1, 0},
                      PasteCase{1, "Range", "16.0", "table", 12, true, 1, 0},
                      PasteCase{2, "Range", "16.0", "embedded", 12, false, 0, 0},
                      PasteCase{2, "Embedded", "14.0", "embedded", 12, false, 0, 0},
                      PasteCase{3, "Range", "14.0", "linked", 12, false, 0, 0},
                      PasteCase{3, "Embedded", "16.0", "linked", 12, false, 0, 0},
                      PasteCase{0, "Range", "14.0", "bitmap", 12, false, 0, 0},
                      PasteCase{1, "{Chart Sheet}", "14.0", "editable", 12, false, 0, 0},
                      PasteCase{1, "Embedded", "16.0", "editable", 12, false, 1, 1000},
                      PasteCase{2, "{Chart Sheet}", "16.0", "embedded", 12, false, 0, 0},
                      PasteCase{3, "{Chart Sheet}", "14.0", "linked", 12, false, 0, 0},
                      PasteCase{4, "Range", "16.0", "", 12, false, 0, 0},
                      PasteCase{-1, "Embedded", "16.0", "", 12, false, 0, 0}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Paste, FormatsAddressTheirOwnPresentation) {
    // The export's target is Other.pptx while Deck.pptx is active.
    SlidesRun t([](QJsonObject& root) {
        QJsonObject pp = root["powerpoint"].toObject();
        QJsonArray list = pp["presentations"].toArray();
        list.append(QJsonObject{{"name", "Other.pptx"},
                                {"slides", QJsonArray{QJsonObject{}, QJsonObject{}}}});
        pp["presentations"] = list;
        root["powerpoint"] = pp;
    });
    t.state.office.presentation = t.powerPoint().find(QStringLiteral("Other.pptx"));
    t.state.powerPoint.currentSlideIndex = 2;
    const struct {
        int format;
        const char* lands;
    } cases[] = {{3, "Other.pptx"}, {2, "Deck.pptx"}, {0, "Deck.pptx"}};
    for (const auto& c : cases) {
        const auto before = t.slide(2, QString::fromLatin1(c.lands)).shapes.size();
        copy(t, QStringLiteral("Embedded"));
        powerpoint::PasteIntoSlide(t.services, t.state, c.format, QStringLiteral("Embedded"));
        EXPECT_EQ(t.slide(2, QString::fromLatin1(c.lands)).shapes.size(), before + 1) << c.format;
    }
}

TEST(Paste, RefusalsReachTheCaller) {
    SlidesRun t;
    t.state.powerPoint.currentSlideIndex = 2;
    // A picture copy holds no workbook object to embed.
    t.workbook().findSheet(QStringLiteral("Data"))->range(QStringLiteral("A1:B3")).copyPicture();
    EXPECT_THROW(powerpoint::PasteIntoSlide(t.services, t.state, 2, QStringLiteral("Range")),
                 office::Error);
    t.host->clipboard().clear();
    EXPECT_THROW(powerpoint::PasteIntoSlide(t.services, t.state, 0, QStringLiteral("Range")),
                 office::Error);
    EXPECT_EQ(t.slide(2).shapes.size(), 1u);
}

}  // namespace

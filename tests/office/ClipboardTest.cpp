#include <QPainter>
#include <QSvgRenderer>
#include <functional>

#include "Memory.h"
#include "office/memory/Render.h"

namespace {

using namespace officetest;
using office::Clipboard;
using office::memory::render::formatValue;
using office::memory::render::seriesColor;

// Two categories on "Data"; the chart sheet and the chart objects of the tests plot them.
const QByteArray Data = R"({"name": "Data", "cells": {"A1": "", "B1": "Sales", "C1": "Costs",
    "A2": "North", "B2": 10, "C2": 4, "A3": "South", "B3": 20, "C3": 8}})";

std::unique_ptr<Office> chartOn(const QByteArray& chart) {
    return workbook(Data + R"(, {"name": "S", "charts": [{"name": "C", "topLeft": "A1",
        "bottomRight": "H15", )" +
                    chart + "}]}");
}

QImage copiedChart(const QByteArray& chart) {
    auto o = chartOn(chart);
    sheet(*o, "S")->chartList()[0]->chart()->copy();
    return o->clipboard().picture(Clipboard::Format::Bitmap).value_or(office::Picture{}).bitmap;
}

int count(const QImage& image, const QColor& color, const QRect& within = {}) {
    const QRect r = within.isNull() ? image.rect() : within;
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) == color;
    return n;
}

// Runs of pixel columns (or rows, `across`) that hold `color`: where each starts and how many
// pixels of the colour it holds at most in one column.
struct Run {
    int start, length, extent;
};
std::vector<Run> runs(const QImage& image, const QColor& color, bool across = false) {
    std::vector<Run> out;
    const int lines = across ? image.height() : image.width();
    const int depth = across ? image.width() : image.height();
    for (int i = 0; i < lines; ++i) {
        int n = 0;
        for (int j = 0; j < depth; ++j)
            n += (across ? image.pixelColor(j, i) : image.pixelColor(i, j)) == color;
        if (n == 0) continue;
        if (out.empty() || out.back().start + out.back().length != i) out.push_back({i, 0, 0});
        ++out.back().length;
        out.back().extent = std::max(out.back().extent, n);
    }
    return out;
}

struct CopyCase {
    const char* name;
    std::function<void(Office&)> copy;
    QSize size;
    bool metafile;
    QString kind;
};

void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << c.name;
}

class Copy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(Copy, OffersPicturesOfTheItemsSize) {
    const auto& c = GetParam();
    auto o = workbook(Data + R"(, {"name": "S", "charts": [{"name": "C", "topLeft": "D2",
        "bottomRight": "H9", "source": "Data!A1:C3"}]},
        {"name": "T", "type": "chart", "chart": {"kind": "pie", "source": "Data!A1:B3"}})");
    c.copy(*o);
    ASSERT_TRUE(o->memoryClipboard().content());
    EXPECT_EQ(o->memoryClipboard().content()->kind, c.kind);
    auto& clip = o->clipboard();
    EXPECT_TRUE(clip.hasFormat(Clipboard::Format::Bitmap));
    EXPECT_TRUE(clip.hasFormat(Clipboard::Format::Any));
    EXPECT_EQ(clip.hasFormat(Clipboard::Format::Metafile), c.metafile);

    auto bitmap = clip.picture(Clipboard::Format::Bitmap);
    ASSERT_TRUE(bitmap);
    const QSize size = bitmap->bitmap.size();
    if (c.size.width())
        EXPECT_EQ(size, c.size);
    else
        EXPECT_EQ(size.height(), c.size.height());  // ranges fit their width to the text
    EXPECT_FALSE(bitmap->isVector());
    auto any = clip.picture(Clipboard::Format::Any);
    ASSERT_TRUE(any);
    EXPECT_EQ(any->bitmap, bitmap->bitmap);  // the bitmap first

    auto metafile = clip.picture(Clipboard::Format::Metafile);
    ASSERT_EQ(metafile.has_value(), c.metafile);
    if (!c.metafile) return;
    EXPECT_TRUE(metafile->bitmap.isNull());
    QSvgRenderer svg(metafile->svg);
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), size);
    // The metafile is the same drawing as the bitmap: about as much ink, in the same colours.
    QImage drawn(size, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter p(&drawn);
    svg.render(&p);
    p.end();
    const int ink = size.width() * size.height() - count(bitmap->bitmap, Qt::white);
    ASSERT_GT(ink, 100);
    EXPECT_NEAR(size.width() * size.height() - count(drawn, Qt::white), ink, ink * 0.2);
    EXPECT_NEAR(count(drawn, seriesColor(0)), count(bitmap->bitmap, seriesColor(0)),
                count(bitmap->bitmap, seriesColor(0)) * 0.1 + 10);
}

auto object = [](Office& o) { return sheet(o, "S")->chartList()[0]->chart(); };

INSTANTIATE_TEST_SUITE_P(
    Clipboard, Copy,
    ::testing::Values(
        // D2:H9 is 5 x 8 cells of 64 x 20 pixels.
        CopyCase{"chartObject", [](Office& o) { object(o)->copy(); }, {320, 160}, true, "chart"},
        CopyCase{"chartObjectPicture",
                 [](Office& o) { object(o)->copyPicture(); },
                 {320, 160},
                 true,
                 "chartPicture"},
        CopyCase{"chartSheet",
                 [](Office& o) { sheet(o, "T")->chart()->copy(); },
                 {480, 300},
                 true,
                 "chart"},
        // Three rows of 20 pixels and the closing grid line.
        CopyCase{"range",
                 [](Office& o) { sheet(o, "Data")->range("A1:C3").copy(); },
                 {0, 61},
                 true,
                 "range"},
        CopyCase{"rangePicture",
                 [](Office& o) { sheet(o, "Data")->range("A1:C3").copyPicture(); },
                 {0, 61},
                 false,
                 "rangePicture"}),
    [](const auto& info) { return std::string(info.param.name); });

// Ranges fit their columns to the text, so their width is checked apart.
TEST(Clipboard, RangeWidthFollowsItsColumns) {
    auto o = workbook(Data);
    sheet(*o, "Data")->range("A1:C3").copy();
    const int width = o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap.width();
    sheet(*o, "Data")->range("A1:B3").copy();
    const int narrower = o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap.width();
    EXPECT_GT(narrower, 24);
    EXPECT_LT(narrower, width);
}

// A column chart of North 10 and South 20: two bars of the series colour, the second twice as
// tall; a bar chart lays the same out across, first category at the bottom.
TEST(Clipboard, BarsShowTheData) {
    for (const bool across : {false, true}) {
        SCOPED_TRACE(across ? "bar" : "column");
        const QImage image = copiedChart(across ? R"("kind": "bar", "source": "Data!A1:B3")"
                                                : R"("kind": "column", "source": "Data!A1:B3")");
        ASSERT_EQ(image.size(), QSize(512, 300));
        auto bars = runs(image, seriesColor(0), across);
        ASSERT_EQ(bars.size(), 2u);
        // Rows are scanned from the top, where the bar chart has South; North comes first.
        if (across) std::swap(bars[0], bars[1]);
        EXPECT_GT(bars[0].extent, 20);
        EXPECT_NEAR(double(bars[1].extent) / bars[0].extent, 2.0, 0.1);
        EXPECT_EQ(bars[0].length, bars[1].length);  // equal widths
        EXPECT_EQ(bars[0].start < bars[1].start, !across);
        EXPECT_EQ(count(image, seriesColor(1)), 0);  // one series: one colour, no legend
    }
}

TEST(Clipboard, SeveralSeriesGetTheirOwnColourAndALegend) {
    const QImage image = copiedChart(R"("source": "Data!A1:C3")");
    auto sales = runs(image, seriesColor(0));
    auto costs = runs(image, seriesColor(1));
    // Two bars each, and a legend swatch of each colour at the right.
    ASSERT_EQ(sales.size(), 3u);
    ASSERT_EQ(costs.size(), 3u);
    EXPECT_LT(sales[0].start, costs[0].start);  // side by side within a category
    EXPECT_LT(costs[0].start, sales[1].start);
    EXPECT_NEAR(double(sales[1].extent) / costs[1].extent, 20.0 / 8, 0.15);
    EXPECT_EQ(sales[2].start, costs[2].start);  // the legend's swatches, one above the other
    EXPECT_EQ(sales[2].extent, costs[2].extent);
}

TEST(Clipboard, LineRisesWithItsValues) {
    auto o = workbook(R"({"name": "S", "cells": {"B1": "Trend", "A2": "a", "B2": 1, "A3": "b",
        "B3": 5, "A4": "c", "B4": 9}, "charts": [{"name": "C", "topLeft": "D1",
        "bottomRight": "K15", "kind": "line", "source": "A1:B4"}]})");
    sheet(*o, "S")->chartList()[0]->chart()->copyPicture();
    const QImage image = o->clipboard().picture(Clipboard::Format::Any)->bitmap;
    // The mean height of the line's pixels in the left and right thirds of the chart.
    auto meanY = [&](int from, int to) {
        double sum = 0;
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(x, y) == seriesColor(0)) sum += y, ++n;
        return n ? sum / n : -1.0;
    };
    const int third = image.width() / 3;
    const double left = meanY(0, third), right = meanY(2 * third, image.width());
    ASSERT_GT(left, 0);
    ASSERT_GT(right, 0);
    EXPECT_GT(left - right, 60);  // y grows downwards
}

TEST(Clipboard, PieSlicesShareTheCircle) {
    auto pie = [](const QByteArray& cells) {
        auto o = workbook(R"({"name": "S", "cells": {)" + cells + R"(}},
            {"name": "P", "type": "chart", "chart": {"kind": "pie", "source": "S!A1:B4"}})");
        sheet(*o, "P")->chart()->copy();
        return o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap;
    };
    // One slice is the whole circle: a disc of the first colour, about pi/4 of its square.
    const QImage whole = pie(R"("A2": "only", "B2": 5)");
    const auto disc = runs(whole, seriesColor(0));
    ASSERT_FALSE(disc.empty());
    const auto widest = *std::max_element(disc.begin(), disc.end(),
                                          [](auto& a, auto& b) { return a.length < b.length; });
    EXPECT_NEAR(widest.length, widest.extent, 3);
    EXPECT_GT(widest.extent, 150);
    EXPECT_EQ(count(whole, seriesColor(1)), 0);

    // 3 to 1, from twelve o'clock clockwise: the big slice takes the right half and more. A
    // slice of zero or text stays out.
    const QImage split = pie(R"("A2": "a", "B2": 3, "A3": "b", "B3": 1, "A4": "c", "B4": 0)");
    const int a = count(split, seriesColor(0)), b = count(split, seriesColor(1));
    ASSERT_GT(b, 0);
    EXPECT_NEAR(double(a) / b, 3.0, 0.25);
    const QRect left(0, 0, whole.width() / 2, whole.height());
    EXPECT_EQ(count(split, seriesColor(1), left.adjusted(left.width(), 0, left.width(), 0)),
              12 * 12)
        << "only b's legend swatch on the right half";
}

// Whatever the source, a copy gives the chart's frame and title; only real data draws series.
TEST(Clipboard, ChartsWithoutDataStillGiveAPicture) {
    for (const char* source : {"", "Nowhere!A1:B3", "#REF!", "Data!A1:A3", "Data!E1:F3",
                               "Data!A1:B1", "T!A1:B3", "A1:B3"}) {
        SCOPED_TRACE(source);
        auto o = workbook(Data + R"(, {"name": "T", "type": "chart", "chart": {"title": "Revenue",
            "source": ")" +
                          QByteArray(source) + R"("}})");
        sheet(*o, "T")->chart()->copy();  // "A1:B3" on a chart sheet names no cells
        auto picture = o->clipboard().picture(Clipboard::Format::Bitmap);
        ASSERT_TRUE(picture);
        const QImage& image = picture->bitmap;
        EXPECT_EQ(image.size(), QSize(480, 300));
        EXPECT_TRUE(o->clipboard().hasFormat(Clipboard::Format::Metafile));
        EXPECT_EQ(count(image, seriesColor(0)), 0);
        EXPECT_NE(image.pixelColor(0, 0), QColor(Qt::white));  // the frame
        int ink = 0;                                           // the title
        for (int y = 4; y < 30; ++y)
            for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(ink, 20);
    }
}

TEST(Clipboard, HugeItemsAreBounded) {
    auto o = workbook(R"({"name": "S", "cells": {"A1": 1},
        "charts": [{"name": "C", "topLeft": "A1", "bottomRight": "Z100000"}]})");
    auto s = sheet(*o, "S");
    s->chartList()[0]->chart()->copy();
    EXPECT_EQ(o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap.size(),
              QSize(26 * 64, office::memory::render::MaxSide));
    s->range("A:C").copyPicture();
    const QSize range = o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap.size();
    EXPECT_LE(range.height(), office::memory::render::MaxSide);
    EXPECT_GT(range.height(), 1000);
}

// The range picture's width, from the sheet's cells, number formats and hidden columns.
int rangeWidth(const QByteArray& sheetBody, const char* address) {
    auto o = workbook(R"({"name": "S", )" + sheetBody + "}");
    sheet(*o, "S")->range(address).copyPicture();
    return o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap.width();
}

TEST(Clipboard, RangeColumnsFitWhatTheCellsShow) {
    EXPECT_GT(rangeWidth(R"("cells": {"A1": "a much longer text than that"})", "A1:B2"),
              rangeWidth(R"("cells": {"A1": "short"})", "A1:B2") + 100);
    EXPECT_GT(rangeWidth(R"("cells": {"A1": 1.5},
                            "numberFormats": [{"range": "A1", "format": "0.000000"}])",
                         "A1"),
              rangeWidth(R"("cells": {"A1": 1.5})", "A1") + 20);
    EXPECT_LT(rangeWidth(R"("cells": {"B1": "a much longer text than that"},
                            "hiddenColumns": ["B"])",
                         "A1:C1"),
              rangeWidth(R"("cells": {"B1": "short"})", "A1:C1"));
}

TEST(Clipboard, RangePictureDrawsGridAndText) {
    auto o = workbook(R"({"name": "S", "cells": {"A1": "Region", "B2": 12}})");
    sheet(*o, "S")->range("A1:B2").copyPicture();
    const QImage image = o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap;
    EXPECT_EQ(image.height(), 41);
    // Grid lines around every cell.
    for (int y : {0, 20, 40}) EXPECT_NE(image.pixelColor(image.width() / 2, y), QColor(Qt::white));
    auto dark = [&](int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += qGray(image.pixel(x, y)) < 128;
        return n;
    };
    const int half = image.width() / 2;
    EXPECT_GT(dark(1, half, 1, 20), 10);              // "Region" in A1
    EXPECT_EQ(dark(1, half, 21, 40), 0);              // A2 empty
    EXPECT_GT(dark(half, image.width(), 21, 40), 5);  // 12 in B2
}

struct FormatCase {
    office::Value value;
    const char* format;
    const char* shown;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.format << " -> " << c.shown;
}

class NumberFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormat, ShowsTheValueAsTheSheetDoes) {
    EXPECT_EQ(formatValue(GetParam().value, GetParam().format), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Clipboard, NumberFormat,
    ::testing::Values(
        FormatCase{1234.5, "General", "1234.5"}, FormatCase{0.1 + 0.2, "General", "0.3"},
        FormatCase{3.0, "General", "3"}, FormatCase{1234.5, "0", "1235"},
        FormatCase{-0.4, "0", "0"}, FormatCase{2.0, "0.00", "2.00"}, FormatCase{0.256, "0%", "26%"},
        FormatCase{0.256, "0.0%", "25.6%"}, FormatCase{1234567.0, "#,##0", "1,234,567"},
        FormatCase{12.0, "@", "12"}, FormatCase{QString("text"), "0.00", "text"},
        FormatCase{true, "General", "TRUE"}, FormatCase{false, "0", "FALSE"},
        FormatCase{office::Value{}, "0.00", ""}, FormatCase{5.25, "0.00;[Red]-0.00", "5.25"},
        FormatCase{5.25, "yyyy-mm-dd", "5.25"}));  // not a number format here

TEST(Clipboard, SameItemSamePicture) {
    auto o = chartOn(R"("source": "Data!A1:C3", "title": "Revenue")");
    auto chart = sheet(*o, "S")->chartList()[0]->chart();
    chart->copy();
    const auto first = *o->clipboard().picture(Clipboard::Format::Bitmap);
    const auto svg = *o->clipboard().picture(Clipboard::Format::Metafile);
    sheet(*o, "Data")->range("A1").copy();
    chart->copy();
    EXPECT_EQ(o->clipboard().picture(Clipboard::Format::Bitmap)->bitmap, first.bitmap);
    EXPECT_EQ(o->clipboard().picture(Clipboard::Format::Metafile)->svg, svg.svg);
}

TEST(Clipboard, ClearEmptiesPicturesAndRecord) {
    auto o = workbook(Data);
    sheet(*o, "Data")->range("A1:B2").copy();
    o->clipboard().clear();
    EXPECT_FALSE(o->memoryClipboard().content());
    for (auto f :
         {Clipboard::Format::Bitmap, Clipboard::Format::Metafile, Clipboard::Format::Any}) {
        EXPECT_FALSE(o->clipboard().hasFormat(f));
        EXPECT_FALSE(o->clipboard().picture(f));
    }
    // A desktop's clipboard is a record of a copy, without pictures.
    auto loaded = desktop(R"({"clipboard": {"kind": "chart",
        "source": {"workbook": "B.xlsx", "sheet": "S", "item": "Chart 1"}}})");
    EXPECT_TRUE(loaded->memoryClipboard().content());
    EXPECT_FALSE(loaded->clipboard().hasFormat(Clipboard::Format::Any));
    EXPECT_FALSE(loaded->clipboard().picture(Clipboard::Format::Any));
}

}  // namespace

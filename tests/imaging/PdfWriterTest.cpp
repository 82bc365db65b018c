#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "imaging/PdfWriter.h"
#include "support/Poppler.h"

namespace {

using test::PointsPerCm;
using test::poppler;

using imaging::Image;
using imaging::PdfWriter;
using imaging::TextAlign;

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // points, from the top-left corner
};

// The words of each page, by pdftotext -bbox.
QList<QList<Word>> words(const QString& pdf) {
    QList<QList<Word>> pages;
    const auto html = poppler("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
    if (!html) return pages;
    static const QRegularExpression tag(
        QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" )re"
                       R"re(yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(*html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            pages.append(QList<Word>());
        } else if (!pages.isEmpty()) {
            pages.last().append(Word{m.captured(5), m.captured(1).toDouble(),
                                     m.captured(2).toDouble(), m.captured(3).toDouble(),
                                     m.captured(4).toDouble()});
        }
    }
    return pages;
}

std::optional<Word> find(const QList<Word>& page, const QString& text) {
    for (const Word& word : page)
        if (word.text == text) return word;
    return std::nullopt;
}

QString infoField(const QString& info, const QString& field) {
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

QSizeF pageSizeCm(const QString& info, int page) {
    const QRegularExpression line(
        QStringLiteral(R"(Page\s+%1 size:\s*([\d.]+) x ([\d.]+) pts)").arg(page));
    const auto m = line.match(info);
    return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) / PointsPerCm;
}

Image solid(QColor colour) {
    QImage bitmap(50, 30, QImage::Format_RGB32);
    bitmap.fill(colour);
    return Image(bitmap);
}

class PdfWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    const imaging::PdfInfo info{"Sales charts", "Corvane author", "Corvane", "Corvane producer"};
    QTemporaryDir dir;
};

// A cover page and an item page, laid out as the PDF export does.
TEST_F(PdfWriterTest, PagesSizesMetadataAndFont) {
    PdfWriter pdf;
    ASSERT_TRUE(pdf.start(path("out.pdf"), info)) << pdf.errorString().toStdString();
    pdf.setPageSize(20, 15);
    ASSERT_TRUE(pdf.newPage());
    EXPECT_TRUE(pdf.drawText(10, 10, "Cover", 45, TextAlign::Center));
    pdf.endPage();
    pdf.setPageSize(20, 17);
    ASSERT_TRUE(pdf.newPage());
    EXPECT_TRUE(pdf.drawImage(solid(Qt::red), 5, 4, 10, 6));
    EXPECT_TRUE(pdf.drawText(1, 0.5, "1", 6));
    pdf.endPage();
    pdf.setPageSize(10, 20);  // portrait, to show no size is swapped
    ASSERT_TRUE(pdf.newPage());
    pdf.endPage();
    // Nothing appears under the final name before the document is finished.
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
    ASSERT_TRUE(pdf.finish()) << pdf.errorString().toStdString();
    EXPECT_EQ(entries(), QStringList{"out.pdf"});

    const auto details = poppler("pdfinfo", {"-f", "1", "-l", "3", path("out.pdf")});
    ASSERT_TRUE(details);
    EXPECT_EQ(infoField(*details, "Pages"), "3");
    EXPECT_EQ(infoField(*details, "Title"), "Sales charts");
    EXPECT_EQ(infoField(*details, "Author"), "Corvane author");
    EXPECT_EQ(infoField(*details, "Creator"), "Corvane");
    EXPECT_EQ(infoField(*details, "Producer"), "Corvane producer");
    const QSizeF sizes[] = {{20, 15}, {20, 17}, {10, 20}};
    for (int page = 1; page <= 3; ++page) {
        const QSizeF size = pageSizeCm(*details, page);
        EXPECT_NEAR(size.width(), sizes[page - 1].width(), 0.02) << page;
        EXPECT_NEAR(size.height(), sizes[page - 1].height(), 0.02) << page;
    }

    const auto fonts = poppler("pdffonts", {path("out.pdf")});
    ASSERT_TRUE(fonts);
    const QRegularExpression embedded(QStringLiteral(R"(LiberationSans\S*\s.*\byes\b)"));
    EXPECT_TRUE(embedded.match(*fonts).hasMatch()) << fonts->toStdString();
}

TEST_F(PdfWriterTest, TextsSitOnTheirBaselineMeasuredFromTheBottom) {
    PdfWriter pdf;
    ASSERT_TRUE(pdf.start(path("texts.pdf"), info));
    pdf.setPageSize(20, 17);
    ASSERT_TRUE(pdf.newPage());
    const struct {
        QString text;
        double x, y, size;
        TextAlign align;
    } texts[] = {{"Caption", 10, 14, 25, TextAlign::Center},
                 {"Source", 10, 0.5, 6, TextAlign::Center},
                 {"7", 1, 0.5, 6, TextAlign::Left},
                 {"Right", 19, 8, 12, TextAlign::Right}};
    for (const auto& t : texts) pdf.drawText(t.x, t.y, t.text, t.size, t.align);
    pdf.endPage();
    ASSERT_TRUE(pdf.finish());

    const auto pages = words(path("texts.pdf"));
    ASSERT_EQ(pages.size(), 1);
    const double pageHeight = 17 * PointsPerCm;
    for (const auto& t : texts) {
        SCOPED_TRACE(t.text.toStdString());
        const auto word = find(pages[0], t.text);
        ASSERT_TRUE(word);
        const double x = t.x * PointsPerCm;
        const double drawnAt = t.align == TextAlign::Left    ? word->xMin
                               : t.align == TextAlign::Right ? word->xMax
                                                             : (word->xMin + word->xMax) / 2;
        EXPECT_NEAR(drawnAt, x, 0.5);
        // The baseline lies between the top of the box and the descent below it.
        const double baseline = pageHeight - t.y * PointsPerCm;
        EXPECT_LT(word->yMin, baseline - 0.5 * t.size);
        EXPECT_GT(word->yMax, baseline);
        EXPECT_LT(word->yMax, baseline + 0.3 * t.size);
    }
}

TEST_F(PdfWriterTest, ImageFillsItsRectangleAboveItsBottomEdge) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "no pdftoppm";
    PdfWriter pdf;
    ASSERT_TRUE(pdf.start(path("image.pdf"), info));
    pdf.setPageSize(20, 17);
    ASSERT_TRUE(pdf.newPage());
    ASSERT_TRUE(pdf.drawImage(solid(Qt::red), 5, 4, 10, 6));
    ASSERT_TRUE(pdf.finish());

    // 50.8 dpi is 20 pixels to the centimetre.
    ASSERT_TRUE(poppler("pdftoppm",
                        {"-r", "50.8", "-png", "-singlefile", path("image.pdf"), path("page")}));
    const QImage page(path("page.png"));
    // The page box is rounded to whole points, a fraction of a pixel here.
    ASSERT_NEAR(page.width(), 400, 1);
    ASSERT_NEAR(page.height(), 340, 1);
    // Whether the pixel at a point (cm from the bottom-left corner) is red rather than white;
    // the image may be stored with lossy compression.
    auto red = [&](double xCm, double yCmFromBottom) {
        const QRgb pixel = page.pixel(int(xCm * 20), int((17 - yCmFromBottom) * 20));
        return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
    };
    // Inside near each corner, then just outside each edge.
    EXPECT_TRUE(red(5.3, 4.3));
    EXPECT_TRUE(red(14.7, 9.7));
    EXPECT_FALSE(red(4.7, 7));
    EXPECT_FALSE(red(15.3, 7));
    EXPECT_FALSE(red(10, 3.7));
    EXPECT_FALSE(red(10, 10.3));
    EXPECT_EQ(QColor(page.pixel(10, 10)), QColor(Qt::white));
}

TEST_F(PdfWriterTest, UnicodeTextRoundTrips) {
    const QString text = QStringLiteral("Größe – Ελλάδα – Россия € ½");
    PdfWriter pdf;
    ASSERT_TRUE(pdf.start(path("unicode.pdf"), info));
    ASSERT_TRUE(pdf.newPage());
    ASSERT_TRUE(pdf.drawText(2, 10, text, 14));
    ASSERT_TRUE(pdf.finish());
    const auto plain = poppler("pdftotext", {"-enc", "UTF-8", path("unicode.pdf"), "-"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->trimmed(), text);
}

TEST_F(PdfWriterTest, FinishWithoutPagesGivesOneBlankPageOfTheSetSize) {
    PdfWriter pdf;
    ASSERT_TRUE(pdf.start(path("empty.pdf"), info));
    pdf.setPageSize(20, 15);
    ASSERT_TRUE(pdf.finish());
    const auto details = poppler("pdfinfo", {"-f", "1", "-l", "1", path("empty.pdf")});
    ASSERT_TRUE(details);
    EXPECT_EQ(infoField(*details, "Pages"), "1");
    EXPECT_NEAR(pageSizeCm(*details, 1).height(), 15, 0.02);
}

TEST_F(PdfWriterTest, RefusesWhatItCannotDo) {
    PdfWriter pdf;
    EXPECT_FALSE(pdf.newPage());
    EXPECT_FALSE(pdf.finish());

    EXPECT_FALSE(pdf.start(path("missing/out.pdf"), info));
    EXPECT_FALSE(pdf.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(path("missing")));

    ASSERT_TRUE(pdf.start(path("draw.pdf"), info));
    EXPECT_FALSE(pdf.drawText(1, 1, "before any page", 10));
    ASSERT_TRUE(pdf.newPage());
    EXPECT_FALSE(pdf.drawImage(Image(), 1, 1, 2, 2));
    pdf.endPage();
    EXPECT_FALSE(pdf.drawText(1, 1, "after the page", 10));
    EXPECT_FALSE(pdf.drawImage(solid(Qt::red), 1, 1, 2, 2));
    ASSERT_TRUE(pdf.finish());
    const auto plain = poppler("pdftotext", {path("draw.pdf"), "-"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->trimmed(), "");
}

TEST_F(PdfWriterTest, AnUnfinishedDocumentLeavesThePreviousFileIntact) {
    {
        QFile previous(path("kept.pdf"));
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous");
    }
    {
        PdfWriter pdf;
        ASSERT_TRUE(pdf.start(path("kept.pdf"), info));
        ASSERT_TRUE(pdf.newPage());
        pdf.drawText(1, 1, "lost", 10);
    }
    QFile kept(path("kept.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "previous");
    EXPECT_EQ(entries(), QStringList{"kept.pdf"});
}

}  // namespace

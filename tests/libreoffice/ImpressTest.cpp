// The program's exports to slides against a real, headless Impress: each result read back over
// UNO from the presentation itself.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include "Soffice.h"
#include "layout/Layout.h"
#include "office/libreoffice/LibreOffice.h"
#include "powerpoint/BatchExport.h"
#include "startup/Dispatch.h"
#include "startup/Program.h"
#include "statesheet/StateSheet.h"
#include "support/ListRows.h"
#include "support/Program.h"
#include "support/TestRun.h"

namespace {

namespace css = com::sun::star;
using css::uno::Any;
using office::libreoffice::ous;
using office::libreoffice::qs;
using office::libreoffice::Reference;
using office::libreoffice::Sequence;
using office::libreoffice::UNO_QUERY;
using office::libreoffice::UNO_QUERY_THROW;

constexpr double PointsPerMm100 = 72.0 / 2540.0;

// A shape as the presentation holds it, in points.
struct ShapeSeen {
    QString type;  // without "com.sun.star.drawing." / "com.sun.star.presentation."
    double left, top, width, height;
    QString text;
    bool shadow;
    int shadowX;  // 1/100 mm
    QString font;
};

std::vector<std::vector<ShapeSeen>> slidesOf(const Reference<css::frame::XModel>& model) {
    Reference<css::drawing::XDrawPagesSupplier> supplier(model, UNO_QUERY_THROW);
    auto pages = supplier->getDrawPages();
    std::vector<std::vector<ShapeSeen>> out;
    for (sal_Int32 p = 0; p < pages->getCount(); ++p) {
        Reference<css::container::XIndexAccess> page(pages->getByIndex(p), UNO_QUERY_THROW);
        std::vector<ShapeSeen> shapes;
        for (sal_Int32 i = 0; i < page->getCount(); ++i) {
            Reference<css::drawing::XShape> shape(page->getByIndex(i), UNO_QUERY_THROW);
            Reference<css::beans::XPropertySet> props(shape, UNO_QUERY_THROW);
            ShapeSeen s{};
            s.type = qs(shape->getShapeType()).section('.', -1);
            s.left = shape->getPosition().X * PointsPerMm100;
            s.top = shape->getPosition().Y * PointsPerMm100;
            s.width = shape->getSize().Width * PointsPerMm100;
            s.height = shape->getSize().Height * PointsPerMm100;
            Reference<css::text::XText> text(shape, UNO_QUERY);
            if (text.is()) s.text = qs(text->getString());
            props->getPropertyValue(ous("Shadow")) >>= s.shadow;
            props->getPropertyValue(ous("ShadowXDistance")) >>= s.shadowX;
            if (props->getPropertySetInfo()->hasPropertyByName(ous("CharFontName"))) {
                rtl::OUString font;
                props->getPropertyValue(ous("CharFontName")) >>= font;
                s.font = qs(font);
            }
            shapes.push_back(s);
        }
        out.push_back(shapes);
    }
    return out;
}

QString titleOf(const std::vector<ShapeSeen>& slide) {
    for (const auto& s : slide)
        if (s.type == "TitleTextShape") return s.text;
    return QStringLiteral("<no title>");
}

Reference<css::frame::XModel> load(office::libreoffice::Session& s, const QString& url) {
    Reference<css::frame::XComponentLoader> loader(s.desktop(), UNO_QUERY_THROW);
    return Reference<css::frame::XModel>(
        loader->loadComponentFromURL(ous(url), ous("_blank"), 0, {}), UNO_QUERY_THROW);
}

// One run of the program on a fresh copy of the fixture workbook and a new presentation, with
// the placement stored in the workbook: 30 % down, half the slide wide, 10 % from the left.
class Impress : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (auto* soffice = test::Soffice::shared())
            test::buildFixture(*soffice->session(), fixturePath());
    }
    static QString fixturePath() {
        return QDir(test::Soffice::shared()->folder()).filePath(QStringLiteral("slides.ods"));
    }

    void SetUp() override {
        soffice = test::Soffice::shared();
        if (!soffice) GTEST_SKIP() << "Skipped: " << test::Soffice::reason().toStdString();
        test::closeAll(*soffice->session());
        path = QDir(soffice->folder())
                   .filePath(QStringLiteral("%1.ods").arg(QString::fromLatin1(
                       ::testing::UnitTest::GetInstance()->current_test_info()->name())));
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(fixturePath(), path));
        deck = load(*soffice->session(), QStringLiteral("private:factory/simpress"));
        t = std::make_unique<test::TestRun>(office::libreoffice::makeHost(soffice->pipe()));
        t->host->attachExcel()->openWorkbook(path);
        startup::attachOffice(*t->host, t->state.office);
        ASSERT_TRUE(t->state.office.workbook);
        ASSERT_TRUE(t->state.office.presentation);
        t->features = startup::standardFeatures();
        ASSERT_TRUE(statesheet::OpenMainForm(t->state.office, t->prompt, [] {}));
        auto state = t->state.office.workbook->sheet(statesheet::StateSheetName);
        state->setCell(1, layout::TopColumn, 0.3);
        state->setCell(1, layout::WidthColumn, 0.5);
        state->setCell(1, layout::HorizontalColumn, 0.1);
        pp = t->host->attachPowerPoint();
        slideWidth = t->state.office.presentation->slideWidth();
        slideHeight = t->state.office.presentation->slideHeight();
    }
    void TearDown() override {
        if (t) t->host->finish();
    }

    office::Sheet& data() { return *t->state.office.workbook->sheet("Data"); }
    std::vector<std::vector<ShapeSeen>> slides() { return slidesOf(deck); }

    // Placed by the stored layout: top and left as stored; half the slide wide unless that
    // made it run past 95 % of the slide's height.
    void expectPlaced(const ShapeSeen& s) {
        EXPECT_NEAR(s.top, 0.3 * slideHeight, 1);
        EXPECT_NEAR(s.left, 0.1 * slideWidth, 1);
        if (std::abs(s.width - 0.5 * slideWidth) > 1) {
            EXPECT_NEAR(s.top + s.height, 0.95 * slideHeight, 1) << s.width;
        }
    }

    test::Soffice* soffice = nullptr;
    QString path;
    Reference<css::frame::XModel> deck;
    std::unique_ptr<test::TestRun> t;
    std::shared_ptr<office::PowerPoint> pp;
    double slideWidth = 0, slideHeight = 0;
};

TEST_F(Impress, PresentationFactsInPoints) {
    // A new Impress presentation: one 28 cm x 15.75 cm title slide.
    EXPECT_NEAR(slideWidth, 793.7, 0.5);
    EXPECT_NEAR(slideHeight, 446.5, 0.5);
    auto p = t->state.office.presentation;
    EXPECT_EQ(p->slideCount(), 1);
    EXPECT_EQ(p->slide(1)->layout(), office::ppLayoutTitle);
    ASSERT_TRUE(p->slide(1)->hasTitle());
    EXPECT_GT(p->slide(1)->title()->width(), 100);

    struct Case {
        int layout;
        bool title;
    };
    for (const Case c :
         {Case{office::ppLayoutTitleOnly, true}, Case{office::ppLayoutBlank, false}}) {
        auto s = p->addSlide(p->slideCount() + 1, c.layout);
        EXPECT_EQ(s->slideIndex(), p->slideCount());
        EXPECT_EQ(s->layout(), c.layout);
        EXPECT_EQ(s->hasTitle(), c.title);
    }
    auto window = pp->activeWindow();
    window->gotoSlide(2);
    EXPECT_EQ(window->viewSlideIndex(), 2);
    EXPECT_EQ(window->selectedSlide()->slideIndex(), 2);
    p->slide(3)->select();
    EXPECT_EQ(window->viewSlideIndex(), 3);
    EXPECT_EQ(window->viewType(), office::ppViewNormal);
    // Back from the slide sorter, the normal view shows the same slide.
    Reference<css::beans::XPropertySet> view(deck->getCurrentController(), UNO_QUERY_THROW);
    window->setViewType(7);
    EXPECT_EQ(window->viewType(), 7);
    window->setViewType(office::ppViewNormal);
    EXPECT_EQ(window->viewType(), office::ppViewNormal);
    EXPECT_NO_THROW(view->getPropertyValue(ous("IsMasterPageMode")));
    EXPECT_EQ(window->viewSlideIndex(), 3);
    EXPECT_EQ(pp->slideShowWindowCount(), 0);
    EXPECT_EQ(pp->windowCount(), 1);

    // What Impress cannot do is an error that says so, never a quiet success.
    const std::vector<std::function<void()>> refused = {
        [&] { p->slide(9); },
        [&] { p->addSlide(1, office::ppLayoutBlank); },
        [&] { window->gotoSlide(0); },
        [&] { p->slide(1)->shape(99); },
        [&] { p->slide(1)->pasteSpecial(office::ppPasteBitmap, true); },
        [&] { p->exitSlideShow(); },
        [&] { window->selectedShape(); },
        [&] { window->setViewType(99); },
    };
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_THROW(refused[i](), office::Error) << "case " << i;
    EXPECT_EQ(p->slideCount(), 3);

    // A new presentation opens in a window of its own and is the active one from then on.
    auto added = pp->addPresentation();
    EXPECT_EQ(pp->presentations().size(), 2u);
    EXPECT_EQ(pp->windowCount(), 2);
    EXPECT_EQ(pp->activePresentation(), added);
    EXPECT_EQ(pp->activeWindow()->presentation(), added);
    EXPECT_EQ(added->slideCount(), 1);
    EXPECT_NE(added->name(), p->name());
}

TEST_F(Impress, ShapesTakeGeometryAspectShadowsAndLabels) {
    data().chartObjects().at(0)->chart()->copy();
    auto slide = t->state.office.presentation->slide(1);
    const int before = slide->shapeCount();
    auto shape = slide->pasteSpecial(office::ppPasteOLEObject, false);
    EXPECT_EQ(slide->shapeCount(), before + 1);
    const double aspect = shape->height() / shape->width();
    shape->setLockAspectRatio(true);
    shape->setWidth(200);
    EXPECT_NEAR(shape->height(), 200 * aspect, 0.5);
    shape->setLockAspectRatio(false);
    shape->setHeight(50);
    EXPECT_NEAR(shape->width(), 200, 0.5);
    shape->setLeft(72);
    shape->setTop(36);
    shape->setShadowVisible(true);
    shape->setShadowOffsetX(8.12132);
    // Impress has no shadow size or reflection: each fails alone.
    EXPECT_THROW(shape->setShadowSize(100), office::Error);
    EXPECT_THROW(shape->setReflectionSize(20), office::Error);

    auto label = slide->addLabel(1, 20, 400, 8.5, 28.875);
    label->setWordWrap(false);
    label->setText("C:\\book.ods");
    label->setFontName("Tahoma");
    label->setFontColor(office::rgb(178, 178, 178));
    EXPECT_EQ(label->text(), "C:\\book.ods");

    const auto seen = slides().at(0);
    ASSERT_EQ(int(seen.size()), before + 2);
    const auto& pasted = seen[before];
    EXPECT_EQ(pasted.type, "OLE2Shape");
    EXPECT_NEAR(pasted.left, 72, 0.1);
    EXPECT_NEAR(pasted.top, 36, 0.1);
    EXPECT_NEAR(pasted.width, 200, 0.1);
    EXPECT_NEAR(pasted.height, 50, 0.1);
    EXPECT_TRUE(pasted.shadow);
    EXPECT_EQ(pasted.shadowX, 287);
    EXPECT_EQ(seen.back().type, "TextShape");
    EXPECT_EQ(seen.back().text, "C:\\book.ods");
    EXPECT_EQ(seen.back().font, "Tahoma");
    EXPECT_NEAR(seen.back().top, 400, 0.1);
}

// Each code of the selection export, on the second slide, the one in view.
TEST_F(Impress, SelectionExportByCode) {
    struct Case {
        const char* code;
        bool chart;
        const char* type;  // of the new shape; empty: nothing is pasted
        bool placed;       // by the stored layout
    };
    const Case cases[] = {
        {"/212", true, "GraphicObjectShape", true}, {"/212", false, "GraphicObjectShape", true},
        {"/312", true, "OLE2Shape", true},          {"/312", false, "TableShape", false},
        {"/3122", false, "OLE2Shape", true},        {"/412", true, "", false},
    };
    auto p = t->state.office.presentation;
    p->addSlide(2, office::ppLayoutTitleOnly);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + (c.chart ? " chart" : " range"));
        pp->activeWindow()->gotoSlide(2);
        if (c.chart)
            data().chartObjects().at(0)->select();
        else
            data().range("A1:B5").select();
        const size_t before = slides().at(1).size();
        // Each code is a run of its own: a run lets go of the applications when it ends.
        startup::attachOffice(*t->host, t->state.office);
        QString refused;
        try {
            startup::dispatch(QString::fromLatin1(c.code), t->run);
        } catch (const office::Error& e) {
            refused = e.description();
        }

        const auto seen = slides();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].size(), 2u);  // the title slide is left alone
        if (!*c.type) {
            EXPECT_EQ(seen[1].size(), before);
            EXPECT_TRUE(refused.contains("cannot paste a link")) << refused.toStdString();
            continue;
        }
        EXPECT_TRUE(refused.isEmpty()) << refused.toStdString();
        ASSERT_EQ(seen[1].size(), before + 1);
        EXPECT_EQ(seen[1].back().type, c.type);
        if (c.placed) expectPlaced(seen[1].back());
        EXPECT_EQ(pp->activeWindow()->viewSlideIndex(), 2);
    }
}

// The batch export onto new slides with every option, and onto the slides the rows name; the
// result saved in both formats and opened again.
TEST_F(Impress, BatchExportToNewAndPredefinedSlides) {
    test::ListRows list;
    const auto row = [](const char* name, const char* type, const char* slide,
                        const char* caption) -> run::ListRow {
        return {QString::fromLatin1(name),
                {"Data", QString::fromLatin1(slide), "1", QString::fromLatin1(caption),
                 QString::fromLatin1(type), "1", QString::fromLatin1(name) + "Data"},
                true};
    };
    bool predefined = false;
    powerpoint::MainFormLink form;
    form.list = &list;
    form.predefinedSlides = [&] { return predefined; };

    // New slides, after the title slide.
    list.rows = {row("Revenue", "Embedded", "", "Revenue by year"),
                 row("Totals", "Range", "", "All totals"), row("Costs", "Embedded", "", "Costs")};
    t->state.exportCount = 3;
    t->state.pasteFormat = 0;
    ASSERT_TRUE(powerpoint::ExportCheckedItemsToSlides(t->services, t->state, form,
                                                       {true, true, true}, nullptr))
        << (t->prompt.messages().empty() ? "" : t->prompt.messages().back().text.toStdString());
    auto seen = slides();
    ASSERT_EQ(seen.size(), 4u);
    const QString captions[] = {"Revenue by year", "All totals", "Costs"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& slide = seen[i + 1];
        EXPECT_EQ(titleOf(slide), captions[i]);
        ASSERT_EQ(slide.size(), 3u);  // title, item, source label
        EXPECT_EQ(slide[1].type, "GraphicObjectShape");
        expectPlaced(slide[1]);
        EXPECT_TRUE(slide[1].shadow);
        EXPECT_EQ(slide[2].type, "TextShape");
        EXPECT_EQ(slide[2].text, path);
        EXPECT_EQ(slide[2].font, "Tahoma");
    }

    // Onto the slides the rows name, in list order.
    list.rows = {row("Costs", "Embedded", "3", "Costs again"),
                 row("Revenue", "Embedded", "", "skipped: no slide"),
                 row("Revenue", "Embedded", "2", "Revenue again")};
    predefined = true;
    t->state.exportCount = 2;
    t->state.pasteFormat = 2;
    t->state.pictureStyle = 0;
    ASSERT_TRUE(powerpoint::ExportCheckedItemsToSlides(t->services, t->state, form,
                                                       {true, false, false}, nullptr));
    seen = slides();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(titleOf(seen[2]), "Costs again");
    EXPECT_EQ(titleOf(seen[1]), "Revenue again");
    EXPECT_EQ(titleOf(seen[3]), "Costs");
    for (int i : {1, 2}) {
        ASSERT_EQ(seen[i].size(), 4u);
        EXPECT_EQ(seen[i][3].type, "OLE2Shape");
        expectPlaced(seen[i][3]);
    }

    // Saved as .odp and .pptx and opened again: kinds, places and titles stay.
    struct Format {
        const char* ext;
        const char* filter;
    };
    for (const Format f :
         {Format{"odp", "impress8"}, Format{"pptx", "Impress MS PowerPoint 2007 XML"}}) {
        SCOPED_TRACE(f.ext);
        const QString file = QDir(soffice->folder()).filePath(QStringLiteral("deck.") + f.ext);
        QFile::remove(file);
        css::beans::PropertyValue filter;
        filter.Name = ous("FilterName");
        filter.Value <<= ous(f.filter);
        Reference<css::frame::XStorable>(deck, UNO_QUERY_THROW)
            ->storeToURL(ous(QUrl::fromLocalFile(file).toString()),
                         Sequence<css::beans::PropertyValue>(&filter, 1));
        auto again = load(*soffice->session(), QUrl::fromLocalFile(file).toString());
        const auto reread = slidesOf(again);
        Reference<css::util::XCloseable>(again, UNO_QUERY_THROW)->close(true);
        ASSERT_EQ(reread.size(), seen.size());
        for (size_t s = 0; s < seen.size(); ++s) {
            EXPECT_EQ(titleOf(reread[s]), titleOf(seen[s]));
            ASSERT_EQ(reread[s].size(), seen[s].size()) << "slide " << s + 1;
            for (size_t i = 0; i < seen[s].size(); ++i) {
                EXPECT_NEAR(reread[s][i].left, seen[s][i].left, 1);
                EXPECT_NEAR(reread[s][i].top, seen[s][i].top, 1);
                EXPECT_NEAR(reread[s][i].width, seen[s][i].width, 1);
            }
        }
        EXPECT_EQ(reread[1][1].type, "GraphicObjectShape");
    }
}

// The real program, started as a user would with a chart selected: the chart lands on the
// slide in view, placed by the layout stored in the workbook.
TEST_F(Impress, ProgramPastesTheSelectedChartOntoTheSlideInView) {
    t->state.office.presentation->addSlide(2, office::ppLayoutTitleOnly);
    pp->activeWindow()->gotoSlide(2);
    data().chartObjects().at(1)->select();
    test::Corvane corvane;
    corvane.libreOffice(soffice->pipe()).run("/212");
    EXPECT_EQ(corvane.exitCode, 0) << corvane.err.toStdString();

    const auto seen = slides();
    ASSERT_EQ(seen.size(), 2u);
    ASSERT_EQ(seen[1].size(), 2u);
    EXPECT_EQ(seen[1][1].type, "GraphicObjectShape");
    expectPlaced(seen[1][1]);
}

// The window lock is Impress's controller lock, given back when the run ends; the window is
// found by the title the program builds.
TEST_F(Impress, WindowLockAndFront) {
    const QString name = t->state.office.presentation->name();
    const qint64 handle = pp->findWindow({}, name + " - PowerPoint");
    ASSERT_NE(handle, 0);
    EXPECT_EQ(pp->findWindow({}, "Nothing - PowerPoint"), 0);
    EXPECT_EQ(pp->findWindow("PPTFrameClass", {}), 0);
    EXPECT_FALSE(pp->lockWindowUpdate(handle + 1));
    ASSERT_TRUE(pp->lockWindowUpdate(handle));
    EXPECT_TRUE(deck->hasControllersLocked());
    EXPECT_TRUE(pp->lockWindowUpdate(0));
    EXPECT_FALSE(deck->hasControllersLocked());
    EXPECT_TRUE(pp->updateWindow(handle));
    EXPECT_TRUE(pp->setForegroundWindow(handle));
    ASSERT_TRUE(pp->lockWindowUpdate(handle));
    t->host->finish();
    EXPECT_FALSE(deck->hasControllersLocked());
}

}  // namespace

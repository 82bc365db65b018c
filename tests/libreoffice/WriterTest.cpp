// The Word export's own operations on a Writer document of the shared headless LibreOffice, each
// result read back from the document over UNO.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/ShadowFormat.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include "Soffice.h"
#include "inventory/Items.h"
#include "office/libreoffice/LibreOffice.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"
#include "support/Program.h"
#include "support/TestRun.h"
#include "word/PWordNewFile.h"
#include "word/PasteSelectionToWord.h"

namespace {

namespace css = com::sun::star;
using css::beans::XPropertySet;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using office::libreoffice::ous;
using office::libreoffice::qs;

constexpr double HmmPerPoint = 2540.0 / 72.0;

// ---- the document read back over UNO

struct Object {
    QString kind;  // "graphic", "embedded"
    bool inlined = false;
    double width = 0, height = 0;  // points
    bool shadow = false;
};

struct Page {
    double textWidth = 0;  // points
};

std::vector<Object> objectsOf(const Reference<css::frame::XModel>& model) {
    std::vector<Object> out;
    Reference<css::drawing::XDrawPageSupplier> dp(model, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> page(dp->getDrawPage(), UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < page->getCount(); ++i) {
        Reference<XPropertySet> p(page->getByIndex(i), UNO_QUERY_THROW);
        Reference<css::lang::XServiceInfo> info(p, UNO_QUERY_THROW);
        Object o;
        // A picture with effects comes back from .docx as a drawing's picture.
        o.kind = info->supportsService(ous("com.sun.star.text.TextGraphicObject")) ||
                         info->supportsService(ous("com.sun.star.drawing.GraphicObjectShape"))
                     ? "graphic"
                 : info->supportsService(ous("com.sun.star.text.TextEmbeddedObject")) ? "embedded"
                                                                                      : "other";
        css::text::TextContentAnchorType anchor{};
        p->getPropertyValue(ous("AnchorType")) >>= anchor;
        o.inlined = anchor == css::text::TextContentAnchorType_AS_CHARACTER;
        const auto size = Reference<css::drawing::XShape>(p, UNO_QUERY_THROW)->getSize();
        o.width = size.Width / HmmPerPoint;
        o.height = size.Height / HmmPerPoint;
        css::table::ShadowFormat shadow;
        if (p->getPropertySetInfo()->hasPropertyByName(ous("ShadowFormat"))) {
            p->getPropertyValue(ous("ShadowFormat")) >>= shadow;
            o.shadow = shadow.Location != css::table::ShadowLocation_NONE && shadow.ShadowWidth > 0;
        } else if (p->getPropertySetInfo()->hasPropertyByName(ous("Shadow"))) {
            p->getPropertyValue(ous("Shadow")) >>= o.shadow;
        }
        out.push_back(o);
    }
    return out;
}

// The body as one token per paragraph or table: "P", "P*" (page break before), "P'text'",
// "P:I" (holds an inline object), "P^" (centred), "C'text'" (a caption), "T[a|b;c|d]" (a table's
// cells).
QStringList blocks(const Reference<css::frame::XModel>& model) {
    QStringList out;
    Reference<css::text::XTextDocument> doc(model, UNO_QUERY_THROW);
    Reference<css::container::XEnumerationAccess> body(doc->getText(), UNO_QUERY_THROW);
    auto e = body->createEnumeration();
    while (e->hasMoreElements()) {
        const Any element = e->nextElement();
        Reference<css::text::XTextTable> table(element, UNO_QUERY);
        if (table.is()) {
            QStringList rows;
            Reference<css::table::XCellRange> cells(table, UNO_QUERY_THROW);
            const int nRows =
                Reference<css::container::XIndexAccess>(table->getRows(), UNO_QUERY_THROW)
                    ->getCount();
            const int nCols =
                Reference<css::container::XIndexAccess>(table->getColumns(), UNO_QUERY_THROW)
                    ->getCount();
            for (int r = 0; r < nRows; ++r) {
                QStringList row;
                for (int c = 0; c < nCols; ++c)
                    row << qs(
                        Reference<css::text::XText>(cells->getCellByPosition(c, r), UNO_QUERY_THROW)
                            ->getString());
                rows << row.join('|');
            }
            out << "T[" + rows.join(';') + "]";
            continue;
        }
        Reference<css::text::XTextRange> para(element, UNO_QUERY_THROW);
        Reference<XPropertySet> props(para, UNO_QUERY_THROW);
        css::style::BreakType brk = css::style::BreakType_NONE;
        props->getPropertyValue(ous("BreakType")) >>= brk;
        rtl::OUString style;
        props->getPropertyValue(ous("ParaStyleName")) >>= style;
        QString text;
        bool holdsObject = false;
        Reference<css::container::XEnumerationAccess> portions(para, UNO_QUERY_THROW);
        auto pe = portions->createEnumeration();
        while (pe->hasMoreElements()) {
            Reference<XPropertySet> portion(pe->nextElement(), UNO_QUERY_THROW);
            rtl::OUString type;
            portion->getPropertyValue(ous("TextPortionType")) >>= type;
            if (type == "Frame")
                holdsObject = true;
            else
                text += qs(Reference<css::text::XTextRange>(portion, UNO_QUERY_THROW)->getString());
        }
        QString token = qs(style) == "Caption" ? "C" : "P";
        if (brk == css::style::BreakType_PAGE_BEFORE) token += '*';
        if (!text.isEmpty()) token += "'" + text + "'";
        if (holdsObject) token += ":I";
        sal_Int16 adjust = 0;
        props->getPropertyValue(ous("ParaAdjust")) >>= adjust;
        if (adjust == static_cast<sal_Int16>(css::style::ParagraphAdjust_CENTER)) token += "^";
        out << token;
    }
    return out;
}

Page pageOf(const Reference<css::frame::XModel>& model) {
    Reference<css::style::XStyleFamiliesSupplier> f(model, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> styles(
        f->getStyleFamilies()->getByName(ous("PageStyles")), UNO_QUERY_THROW);
    Reference<XPropertySet> style(styles->getByName(ous("Standard")), UNO_QUERY_THROW);
    sal_Int32 w = 0, l = 0, r = 0;
    style->getPropertyValue(ous("Width")) >>= w;
    style->getPropertyValue(ous("LeftMargin")) >>= l;
    style->getPropertyValue(ous("RightMargin")) >>= r;
    return {(w - l - r) / HmmPerPoint};
}

css::beans::PropertyValue prop(const char* name, const Any& value) {
    css::beans::PropertyValue p;
    p.Name = ous(name);
    p.Value = value;
    return p;
}

// A new text document holding "Intro" and "Body", the insertion point at the start of "Intro".
Reference<css::frame::XModel> newDocument(office::libreoffice::Session& s) {
    Reference<css::frame::XComponentLoader> loader(s.desktop(), UNO_QUERY_THROW);
    Reference<css::text::XTextDocument> doc(
        loader->loadComponentFromURL(ous("private:factory/swriter"), ous("_blank"), 0, {}),
        UNO_QUERY_THROW);
    auto text = doc->getText();
    text->setString(ous("Intro"));
    text->insertControlCharacter(text->getEnd(), css::text::ControlCharacter::PARAGRAPH_BREAK,
                                 false);
    text->insertString(text->getEnd(), ous("Body"), false);
    Reference<css::frame::XModel> model(doc, UNO_QUERY_THROW);
    Reference<css::text::XTextViewCursorSupplier> vc(model->getCurrentController(),
                                                     UNO_QUERY_THROW);
    vc->getViewCursor()->gotoStart(false);
    return model;
}

Reference<css::frame::XModel> load(office::libreoffice::Session& s, const QString& path) {
    Reference<css::frame::XComponentLoader> loader(s.desktop(), UNO_QUERY_THROW);
    const css::beans::PropertyValue hidden = prop("Hidden", Any(true));
    return {loader->loadComponentFromURL(ous(QUrl::fromLocalFile(path).toString()), ous("_blank"),
                                         0, Sequence<css::beans::PropertyValue>(&hidden, 1)),
            UNO_QUERY_THROW};
}

void storeAs(const Reference<css::frame::XModel>& model, const QString& path) {
    const bool docx = path.endsWith(".docx");
    const css::beans::PropertyValue args[] = {
        prop("FilterName", Any(ous(docx ? "MS Word 2007 XML" : "writer8"))),
        prop("Overwrite", Any(true))};
    Reference<css::frame::XStorable>(model, UNO_QUERY_THROW)
        ->storeToURL(ous(QUrl::fromLocalFile(path).toString()),
                     Sequence<css::beans::PropertyValue>(args, 2));
}

// ---- a stand-in main form for the batch export

class Form : public word::MainForm {
  public:
    run::ItemList& list() override { return items; }
    void minimise() override {}
    void restore() override {}
    void close() override { closed = true; }
    test::ListRows items;
    bool closed = false;
};

run::ListRow row(const QString& name, const QString& sheet, const QString& type,
                 const QString& caption) {
    return {name, {sheet, "", "1", caption, type, "1", name + sheet}, true};
}

// ---- the fixture: the shared LibreOffice with a workbook and a text document open

class Writer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static bool built = false;
        auto* soffice = test::Soffice::shared();
        if (!soffice || built) return;
        test::buildFixture(*soffice->session(), workbookPath());
        built = true;
    }
    static QString workbookPath() {
        return QDir(test::Soffice::shared()->folder()).filePath("writer-book.ods");
    }

    void SetUp() override {
        soffice = test::Soffice::shared();
        if (!soffice) GTEST_SKIP() << "Skipped: " << test::Soffice::reason().toStdString();
        test::closeAll(session());
        t = std::make_unique<test::TestRun>(office::libreoffice::makeHost(soffice->pipe()));
        t->host->attachExcel()->openWorkbook(workbookPath());
        startup::attachOffice(*t->host, t->state.office);
        ASSERT_TRUE(t->state.office.workbook);
        doc = newDocument(session());
    }
    void TearDown() override {
        if (t) t->host->finish();
    }

    office::libreoffice::Session& session() { return *soffice->session(); }
    office::Sheet& sheet(const QString& name) { return *t->state.office.workbook->sheet(name); }
    QStringList messages() const {
        QStringList out;
        for (const auto& m : t->prompt.messages()) out << m.text;
        return out;
    }

    test::Soffice* soffice = nullptr;
    std::unique_ptr<test::TestRun> t;
    Reference<css::frame::XModel> doc;
};

// ---- selection export

struct SelectionCase {
    const char* code;
    bool chart;          // a chart selected, or the range Data!A1:C3
    QStringList blocks;  // the document afterwards
    QString object;      // "" when no object is added
    bool inlined;
    bool textWidth;   // sized to the text width, keeping its proportions
    QString message;  // the one message shown, if any
};

class SelectionExport : public Writer, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionExport, PastesTheSelectionBelowTheInsertionPoint) {
    const auto& c = GetParam();
    auto data = t->state.office.workbook->sheet("Data");
    if (c.chart)
        data->chartObjects().at(0)->select();
    else
        data->range("A1:C3").select();
    word::PasteSelectionForCode(t->services, t->state, QString(c.code).mid(1, 1).toInt() - 5);

    EXPECT_EQ(messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    EXPECT_EQ(blocks(doc), c.blocks) << blocks(doc).join(' ').toStdString();
    const auto objects = objectsOf(doc);
    if (c.object.isEmpty()) {
        EXPECT_TRUE(objects.empty());
        return;
    }
    ASSERT_EQ(objects.size(), 1u);
    const auto& o = objects[0];
    EXPECT_EQ(o.kind, c.object);
    EXPECT_EQ(o.inlined, c.inlined);
    if (c.textWidth) {
        // The chart is 80 mm x 50 mm in the workbook.
        EXPECT_NEAR(o.width, pageOf(doc).textWidth, 1);
        EXPECT_NEAR(o.height / o.width, 50.0 / 80.0, 0.01);
    } else {
        EXPECT_LT(o.width, pageOf(doc).textWidth);
    }
}

const QString Failed =
    QStringLiteral("Operation has failed!Please make sure that no graphic is selected");

INSTANTIATE_TEST_SUITE_P(
    Codes, SelectionExport,
    ::testing::Values(
        // A picture goes below the line of the insertion point, inline.
        SelectionCase{"/512", true, {"P'Intro'", "P'Body':I"}, "graphic", true, true, ""},
        // A range picture keeps its size, centred.
        SelectionCase{"/512", false, {"P'Intro'", "P'Body':I^"}, "graphic", true, false, ""},
        // Embedded: a floating chart at the text width, on a paragraph of its own.
        SelectionCase{"/612", true, {"P'Intro'", "P", "P'Body'"}, "embedded", false, true, ""},
        // Writer cannot link a copied chart: the failure is shown, nothing is added.
        SelectionCase{"/712", true, {"P'Intro'", "P'Body'"}, "", false, false, Failed},
        SelectionCase{"/812",
                      true,
                      {"P'Intro'", "P'Body'"},
                      "",
                      false,
                      false,
                      "This icon refers to tables only"},
        // A range becomes a text table with its values (Writer keeps the empty paragraphs
        // its rich-text import brings around it).
        SelectionCase{
            "/812",
            false,
            {"P'Intro'", "P", "T[Region|Revenue|Costs;North|12.5|7;South|9|4]", "P", "P'Body'"},
            "",
            false,
            false,
            ""}),
    [](const auto& info) {
        return std::string(info.param.code + 1) + (info.param.chart ? "Chart" : "Range");
    });

// The program itself, started as a user would, with a range selected in the workbook and a
// text document open: "/812" puts the range's values in a table.
TEST_F(Writer, ProgramPutsTheSelectedRangeInATable) {
    t->state.office.workbook->sheet("Data")->range("A1:C3").select();
    // The user works in Calc: the workbook's window is the active one, not the document's.
    auto e = session().desktop()->getComponents()->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<css::lang::XServiceInfo> info(e->nextElement(), UNO_QUERY);
        if (info.is() && info->supportsService(ous("com.sun.star.sheet.SpreadsheetDocument")))
            Reference<css::frame::XModel>(info, UNO_QUERY_THROW)
                ->getCurrentController()
                ->getFrame()
                ->activate();
    }
    Reference<css::lang::XServiceInfo> current(session().desktop()->getCurrentComponent(),
                                               UNO_QUERY_THROW);
    ASSERT_TRUE(current->supportsService(ous("com.sun.star.sheet.SpreadsheetDocument")));
    test::Corvane corvane;
    corvane.libreOffice(soffice->pipe()).run("/812");
    EXPECT_EQ(corvane.exitCode, 0) << corvane.err.toStdString();
    EXPECT_TRUE(blocks(doc).contains("T[Region|Revenue|Costs;North|12.5|7;South|9|4]"))
        << blocks(doc).join(' ').toStdString() << "\n"
        << corvane.err.toStdString();
}

// Without a text document the export stops with its message; a document closed while the
// program holds it fails as a missing object, never as a lost LibreOffice.
TEST_F(Writer, NoDocumentIsAMessageAndAClosedOneAnError) {
    auto word = t->host->attachWord();
    auto document = word->activeDocument();
    ASSERT_TRUE(document);
    auto range = document->range();
    Reference<css::util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);

    t->state.office.workbook->sheet("Data")->range("A1:C3").select();
    word::PasteSelectionForCode(t->services, t->state, 3);
    EXPECT_EQ(messages(), QStringList{"The action requires an open Word document"});
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { document->inlineShapeCount(); }, [&] { range->setPageBreakBefore(true); },
             [&] { word->paste(); }, [&] { word->selectionPageSetup(); }}) {
        try {
            call();
            ADD_FAILURE() << "a closed document answered";
        } catch (const office::Error& e) {
            EXPECT_NE(e.number(), office::errors::Disconnected) << e.what();
        }
    }
}

// Text selected in the document: the user is asked first; on Yes the picture goes below the
// selected line and the text stays, on No nothing changes.
TEST_F(Writer, SelectedTextIsKeptOrLeftAlone) {
    for (const auto answer : {platform::Answer::No, platform::Answer::Yes}) {
        SCOPED_TRACE(answer == platform::Answer::Yes ? "Yes" : "No");
        doc = newDocument(session());
        Reference<css::text::XTextViewCursorSupplier> vcs(doc->getCurrentController(),
                                                          UNO_QUERY_THROW);
        vcs->getViewCursor()->goRight(5, true);  // "Intro"
        t->state.office.workbook->sheet("Data")->chartObjects().at(0)->select();
        t->prompt.answerNext(answer);
        const size_t before = t->prompt.messages().size();
        word::PasteSelectionForCode(t->services, t->state, 0);

        ASSERT_EQ(t->prompt.messages().size(), before + 1);
        EXPECT_EQ(t->prompt.messages().back().text,
                  "Warning!Inseted object may override the current selected text");
        EXPECT_EQ(blocks(doc), answer == platform::Answer::Yes
                                   ? QStringList({"P'Intro'", "P'Body':I"})
                                   : QStringList({"P'Intro'", "P'Body'"}));
        Reference<css::util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
    }
}

// What Writer cannot do is refused with an error that says so, and nothing is pasted; a
// floating object is placed from the left edge of the text.
TEST_F(Writer, RefusalsAndPlacementOfAFloatingObject) {
    auto word = t->host->attachWord();
    t->state.office.workbook->sheet("Data")->chartObjects().at(0)->chart()->copy();
    office::PasteSpecialOptions link, icon, text, ole;
    link.link = true;
    icon.displayAsIcon = true;
    text.dataType = 2;
    ole.dataType = office::wdPasteOLEObject;
    ole.placement = office::wdFloatOverText;
    struct Case {
        const char* what;
        std::function<void()> call;
        int number;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"link", [&] { word->pasteSpecial(link); }, office::errors::Application, "link"},
        {"icon", [&] { word->pasteSpecial(icon); }, office::errors::NotSupported, "Icon"},
        {"text", [&] { word->pasteSpecial(text); }, office::errors::Application, "unavailable"},
        {"chart as a table", [&] { word->pasteExcelTable(false, false, false); },
         office::errors::Application, "no cells"},
        {"no shape selected", [&] { word->setShapeRangeLeft(0); }, office::errors::Application,
         "no shape"},
        {"unknown label", [&] { word->insertCaption("Nobody added me", {}); },
         office::errors::Application, "caption label"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.call();
            ADD_FAILURE() << "accepted";
        } catch (const office::Error& e) {
            EXPECT_EQ(e.number(), c.number) << e.what();
            EXPECT_TRUE(e.description().contains(c.says)) << e.what();
        }
    }
    EXPECT_TRUE(objectsOf(doc).empty());

    word->pasteSpecial(ole);
    word->setShapeRangeLeft(36);
    Reference<css::drawing::XDrawPageSupplier> dp(doc, UNO_QUERY_THROW);
    Reference<XPropertySet> object(dp->getDrawPage()->getByIndex(0), UNO_QUERY_THROW);
    sal_Int32 left = 0;
    object->getPropertyValue(ous("HoriOrientPosition")) >>= left;
    EXPECT_NEAR(left / HmmPerPoint, 36, 0.1);
}

// ---- batch export

QStringList captions(const QStringList& blocks) {
    return blocks.filter(QRegularExpression("^C"));
}

// Three items, each on a page of its own at the end, as pictures with the dialog's options:
// text width, a caption numbered per label, a shadow. Saved as .odt and .docx, they come back.
TEST_F(Writer, BatchExportOfPicturesWithCaptionsSurvivesSaving) {
    auto form = std::make_shared<Form>();
    form->items.rows = {row("Revenue", "Data", inventory::TypeEmbedded, "Sales"),
                        row("Line", "Trend", inventory::TypeEmbedded, "Sales"),
                        row("Totals", "Data", inventory::TypeRange, "Totals table")};
    auto& state = t->state;
    state.exportCount = 3;
    state.wordSameWidth = 1;
    state.wordCaption = 1;
    state.wordShadow = 1;
    state.word = t->host->attachWord();
    word::WordRun run{t->services, state, form, nullptr};
    word::ExportToWord(run, 0);

    EXPECT_TRUE(form->closed);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    const QStringList page = {"P*", "P", "P:I"};
    const QStringList want = QStringList{"P'Intro'", "P'Body'"} + page + QStringList{"C'Sales 1'"} +
                             page + QStringList{"C'Sales 2'"} + page +
                             QStringList{"C'Totals table 1'"};
    EXPECT_EQ(blocks(doc), want) << blocks(doc).join(' ').toStdString();
    const double textWidth = pageOf(doc).textWidth;
    // .docx counts the shadow (3 pt) into the picture's extent.
    auto check = [&](const std::vector<Object>& objects, double slack) {
        ASSERT_EQ(objects.size(), 3u);
        for (size_t i = 0; i < objects.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(objects[i].kind, "graphic");
            EXPECT_TRUE(objects[i].inlined);
            EXPECT_TRUE(objects[i].shadow);
            EXPECT_NEAR(objects[i].width, textWidth - slack, 1);
        }
        // The charts keep their proportions (80 mm x 50 mm).
        EXPECT_NEAR(objects[0].height, textWidth * 50 / 80 - slack, 1);
        EXPECT_NEAR(objects[1].height, textWidth * 50 / 80 - slack, 1);
    };
    check(objectsOf(doc), 0);

    for (const QString ext : {"odt", "docx"}) {
        SCOPED_TRACE(ext.toStdString());
        const QString path = QDir(soffice->folder()).filePath("batch." + ext);
        storeAs(doc, path);
        Reference<css::frame::XModel> again;
        try {
            again = load(session(), path);
        } catch (const css::uno::Exception& e) {
            FAIL() << qs(e.Message).toStdString();
        }
        try {
            const auto back = blocks(again);
            EXPECT_EQ(captions(back), captions(want)) << back.join(' ').toStdString();
            EXPECT_EQ(back.filter("*").size(), 3);
            EXPECT_EQ(back.filter(":I").size(), 3);
            check(objectsOf(again), ext == "docx" ? 3 : 0);
        } catch (const css::uno::Exception& e) {
            ADD_FAILURE() << qs(e.Message).toStdString();
        }
        Reference<css::util::XCloseable>(again, UNO_QUERY_THROW)->close(true);
    }
}

// The other paste formats of the batch: editable charts inline and ranges as tables, both
// captioned; embedded objects floating at the text width; links, which Writer cannot make from
// a copy, add nothing.
struct FormatCase {
    int pasteFormat;
    QStringList blocks;   // after "Intro" and "Body"
    QStringList objects;  // kinds, "~" for floating
};

class BatchFormats : public Writer, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(BatchFormats, ChartAndRangeEachOnAPage) {
    const auto& c = GetParam();
    auto form = std::make_shared<Form>();
    form->items.rows = {row("Revenue", "Data", inventory::TypeEmbedded, "Sales"),
                        row("Totals", "Data", inventory::TypeRange, "Totals")};
    auto& state = t->state;
    state.exportCount = 2;
    state.wordCaption = 1;
    state.word = t->host->attachWord();
    word::WordRun run{t->services, state, form, nullptr};
    word::ExportToWord(run, c.pasteFormat);

    EXPECT_TRUE(form->closed);
    EXPECT_EQ(blocks(doc), QStringList({"P'Intro'", "P'Body'"}) + c.blocks)
        << blocks(doc).join(' ').toStdString();
    QStringList kinds;
    const double textWidth = pageOf(doc).textWidth;
    for (const auto& o : objectsOf(doc)) {
        kinds << (o.inlined ? "" : "~") + o.kind;
        if (!o.inlined) {
            EXPECT_NEAR(o.width, textWidth, 1);
        }
    }
    EXPECT_EQ(kinds, c.objects);
}

const QString Totals = "T[Region|Revenue;North|12.5;South|9;East|15;West|11]";

INSTANTIATE_TEST_SUITE_P(
    Formats, BatchFormats,
    ::testing::Values(FormatCase{1,
                                 {"P*", "P", "P:I", "C'Sales 1'", "P*", "P", Totals, "P",
                                  "C'Totals 1'"},
                                 {"embedded"}},
                      FormatCase{2, {"P*", "P", "P", "P*", "P", "P"}, {"~embedded", "~embedded"}},
                      FormatCase{3, {"P*", "P", "P*", "P"}, {}}),
    [](const auto& info) { return std::to_string(info.param.pasteFormat); });

}  // namespace

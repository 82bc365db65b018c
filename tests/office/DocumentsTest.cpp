#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "Memory.h"

namespace {

using namespace officetest;
using office::memory::Block;

// One document "R.docx" with `content` and `selection`, and one workbook for copies.
std::unique_ptr<Office> withDocument(const QByteArray& content,
                                     const QByteArray& selection = "{}") {
    return desktop(R"({"excel": {"activeWorkbook": "B.xlsx", "workbooks": [{"name": "B.xlsx",
        "sheets": [{"name": "S", "cells": {"A1": "x", "B1": 2.5, "A2": true},
                    "numberFormats": [{"range": "B1", "format": "0.00"}],
                    "charts": [{"name": "C", "topLeft": "D1", "bottomRight": "E3"}]}]}]},
      "word": {"activeDocument": "R.docx", "documents": [{"name": "R.docx", "content": )" +
                   content + R"(, "selection": )" + selection + "}]}}");
}

QStringList blocks(Office& o) {
    QStringList out;
    for (const auto& b : o.word().activeDocumentImpl()->content) {
        if (b.isParagraph())
            out << (b.pageBreakBefore ? "P*" : "P") + (b.text.isEmpty() ? "" : ":" + b.text);
        else if (b.kind == Block::Kind::InlineShape)
            out << "I";
        else if (b.kind == Block::Kind::FloatingShape)
            out << "F";
        else if (b.kind == Block::Kind::Table)
            out << "T";
        else
            out << QStringLiteral("C:%1 %2").arg(b.captionLabel).arg(b.captionNumber);
    }
    return out;
}

// A new paragraph takes the format of the one it comes from, so the page break must be taken
// off the second one.
TEST(Documents, ParagraphsAfterTheCollapsedEnd) {
    auto o = withDocument(R"([{"paragraph": "A"}])");
    auto doc = o->attachWord()->activeDocument();
    auto end = [&] {
        auto r = doc->range();
        r->collapse(office::wdCollapseEnd);
        return r;
    };
    end()->insertParagraphAfter();
    end()->setPageBreakBefore(true);
    end()->insertParagraphAfter();
    EXPECT_EQ(blocks(*o), (QStringList{"P:A", "P*", "P*"}));
    end()->setPageBreakBefore(false);
    end()->select();
    EXPECT_EQ(blocks(*o), (QStringList{"P:A", "P*", "P"}));
    const auto& s = o->word().activeDocumentImpl()->selection;
    EXPECT_EQ(s.block, 2);
    EXPECT_EQ(s.start, 0);
}

TEST(Documents, EmptyDocumentGetsItsParagraph) {
    auto o = withDocument("[]");
    o->attachWord()->typeParagraph();
    EXPECT_EQ(blocks(*o), (QStringList{"P", "P"}));
}

struct PasteCase {
    const char* name;
    QByteArray content;
    QByteArray selection;
    QStringList after;
};

class Inserts : public ::testing::TestWithParam<PasteCase> {};

// An inline item fills an empty paragraph, splits one with text, and replaces the selection.
TEST_P(Inserts, PlaceTheItemAtTheSelection) {
    const auto& c = GetParam();
    auto o = withDocument(c.content, c.selection);
    sheet(*o, "S")->findChartObject("C")->chartImpl()->copyPicture();
    o->attachWord()->paste();
    EXPECT_EQ(blocks(*o), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, Inserts,
    ::testing::Values(PasteCase{"empty", R"([{"paragraph": ""}])", "{}", {"I"}},
                      PasteCase{"middle",
                                R"([{"paragraph": "abcd"}])",
                                R"({"paragraph": 0, "start": 2})",
                                {"P:ab", "I", "P:cd"}},
                      PasteCase{"start", R"([{"paragraph": "abcd"}])", "{}", {"I", "P:abcd"}},
                      PasteCase{"end",
                                R"([{"paragraph": "abcd"}])",
                                R"({"paragraph": 0, "start": 4})",
                                {"P:abcd", "I"}},
                      PasteCase{"overSelection",
                                R"([{"paragraph": "abcd"}])",
                                R"({"text": "bc"})",
                                {"P:a", "I", "P:d"}},
                      PasteCase{"pageBreak",
                                R"([{"paragraph": "", "pageBreakBefore": true}])",
                                "{}",
                                {"P*", "I"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Documents, PasteFormsFollowTheClipboard) {
    auto o = withDocument(R"([{"paragraph": ""}])");
    auto w = o->attachWord();
    auto& doc = *o->word().activeDocumentImpl();
    // Nothing copied yet.
    EXPECT_EQ(errorOf([&] { w->paste(); }), office::errors::Application);
    // A picture is no OLE object.
    sheet(*o, "S")->copyRangePicture(office::CellRect{1, 1, 2, 2});
    EXPECT_EQ(
        errorOf([&] {
            w->pasteSpecial({false, office::wdPasteOLEObject, office::wdFloatOverText, false});
        }),
        office::errors::Application);
    EXPECT_EQ(errorOf([&] { w->pasteExcelTable(false, false, false); }),
              office::errors::Application);
    // Cells: a table by default and through PasteExcelTable, an object on request.
    sheet(*o, "S")->copyRange(office::CellRect{1, 1, 2, 2});
    w->paste();
    w->pasteExcelTable(false, false, false);
    w->pasteSpecial({true, office::wdPasteOLEObject, office::wdFloatOverText, false});
    EXPECT_EQ(blocks(*o), (QStringList{"T", "T", "F"}));
    EXPECT_EQ(doc.content[0].table,
              (std::vector<std::vector<QString>>{{"x", "2.50"}, {"TRUE", ""}}));
    EXPECT_EQ(doc.content[2].shape.kind, "linked");
    EXPECT_EQ(w->activeDocument()->shapeCount(), 1);
    EXPECT_EQ(w->activeDocument()->inlineShapeCount(), 0);
    // The floating object comes selected, so its position can be set.
    w->setShapeRangeLeft(12);
    EXPECT_EQ(doc.content[2].shape.left, 12);
    w->typeParagraph();
    EXPECT_EQ(errorOf([&] { w->setShapeRangeLeft(0); }), office::errors::Application);
}

TEST(Documents, CaptionLabelsNumberTheirOwnCaptions) {
    auto o = withDocument(R"([{"paragraph": "a"}, {"paragraph": "b"}])");
    auto w = o->attachWord();
    EXPECT_EQ(errorOf([&] { w->insertCaption("Sales", ""); }), office::errors::Application);
    w->addCaptionLabel("Sales");
    w->addCaptionLabel("sales");  // the same label
    w->insertCaption("Sales", "");
    w->insertCaption("Figure", "");
    w->homeKey(office::wdStory);
    w->insertCaption("Sales", "");  // before the first: the numbers follow the order
    EXPECT_EQ(blocks(*o), (QStringList{"P:a", "C:Sales 1", "C:Sales 2", "C:Figure 1", "P:b"}));
    EXPECT_EQ(o->word().captionLabels, std::vector<QString>{"Sales"});
}

TEST(Documents, ShapesResizeByTheirAspectLock) {
    auto o = withDocument(R"([
        {"inlineShape": {"kind": "bitmap", "width": 100, "height": 50, "lockAspectRatio": false}},
        {"floatingShape": {"kind": "embedded", "width": 100, "height": 50}}])");
    auto doc = o->attachWord()->activeDocument();
    auto free = doc->inlineShape(1);
    free->setWidth(200);
    EXPECT_EQ(free->height(), 50);
    auto locked = doc->shape(doc->shapeCount());
    locked->setWidth(200);
    EXPECT_EQ(locked->height(), 100);
    EXPECT_EQ(errorOf([&] { doc->inlineShape(2); }), office::errors::NotFound);
    EXPECT_EQ(errorOf([&] { doc->shape(0); }), office::errors::NotFound);
}

TEST(Documents, MoveDownAndHomeKey) {
    auto o = withDocument(R"([{"paragraph": "ab"}, {"paragraph": "cd"}])", R"({"text": "b"})");
    auto w = o->attachWord();
    const auto& s = o->word().activeDocumentImpl()->selection;
    EXPECT_EQ(w->selectionText(), "b");
    w->moveDown(office::wdLine, 1);
    EXPECT_EQ(std::tuple(s.block, s.start, s.end), std::tuple(1, 0, 0));
    w->moveDown(office::wdLine, 1);  // the last line: to its end
    EXPECT_EQ(std::tuple(s.block, s.start), std::tuple(1, 2));
    w->homeKey(office::wdLine);
    EXPECT_EQ(std::tuple(s.block, s.start), std::tuple(1, 0));
    w->homeKey(office::wdStory);
    EXPECT_EQ(std::tuple(s.block, s.start), std::tuple(0, 0));
    EXPECT_EQ(errorOf([&] { w->moveDown(1 /*wdCharacter*/, 1); }), office::errors::Application);
}

TEST(Documents, WithoutDocumentTheSelectionFails) {
    auto o = desktop(R"({"word": {"documents": [{"name": "A.docx"}]}})");
    auto w = o->attachWord();
    EXPECT_EQ(errorOf([&] { w->selectionText(); }), office::errors::Application);
    EXPECT_EQ(errorOf([&] { w->paste(); }), office::errors::Application);
    EXPECT_EQ(w->documents().size(), 1u);
}

TEST(Documents, DumpLoadsAsTheSameDocument) {
    auto o = withDocument(R"([{"paragraph": "abc", "alignment": 1},
        {"inlineShape": {"kind": "metafile", "width": 10, "height": 5},
         "shadowFormat": {"type": 21, "size": 100, "blur": 15}},
        {"caption": {"label": "Sales", "number": 1, "title": " North"}}])",
                          R"({"text": "bc"})");
    o->word().addCaptionLabel("Sales");
    o->word().activate();
    const QByteArray json = o->toJson();
    auto again = Office::fromJson(json, "dump");
    EXPECT_EQ(again->toJson(), json);
    const auto word = QJsonDocument::fromJson(json).object()["word"].toObject();
    EXPECT_EQ(word["activations"].toInt(), 1);
    const auto doc = word["documents"].toArray()[0].toObject();
    EXPECT_EQ(doc["selection"].toObject()["text"].toString(), "bc");
    EXPECT_EQ(doc["selection"].toObject()["start"].toInt(), 1);
}

TEST(Documents, SelectionMustBeInTheDocument) {
    EXPECT_NE(loadError(R"({"word": {"documents": [{"name": "A", "content": [{"paragraph": "ab"}],
                 "selection": {"text": "zz"}}]}})")
                  .find("selection.text"),
              std::string::npos);
    EXPECT_NE(loadError(R"({"word": {"documents": [{"name": "A", "content": [{"paragraph": "ab"}],
                 "selection": {"paragraph": 3}}]}})")
                  .find("selection.paragraph"),
              std::string::npos);
    EXPECT_NE(loadError(R"({"word": {"documents": [{"name": "A", "content": [{"paragraph": "ab"}],
                 "selection": {"text": "b", "start": 0}}]}})")
                  .find("selection.start"),
              std::string::npos);
}

}  // namespace

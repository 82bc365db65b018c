#pragma once

// The built-in word processor. Its documents are kept as the desktop describes them, with every
// property, so that pastes can grow them and dumps show them.
//
// A document is a list of blocks. A paragraph holds text; an inline shape, a table or a caption
// is a paragraph of its own, one character long; a floating shape sits after the paragraph it
// is anchored to and takes no room in the text. Positions are a block and an offset in it.

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "office/Word.h"
#include "office/memory/Clipboard.h"
#include "office/memory/Presentations.h"

namespace office::memory {

class ExcelApp;

using PageSetup = office::PageSetup;

// One block of a document's content, in document order.
struct Block {
    enum class Kind { Paragraph, InlineShape, FloatingShape, Table, Caption };
    Kind kind = Kind::Paragraph;
    int id = 0;                    // stable while blocks move; set by the document
    QString text;                  // Paragraph; Caption: the title after the number
    bool pageBreakBefore = false;  // Paragraph
    std::optional<int> alignment;  // wdAlignParagraph...; none = as the style says
    Shape shape;                   // InlineShape, FloatingShape
    std::optional<office::ShadowFormat> shadowFormat;
    std::vector<std::vector<QString>> table;
    QString captionLabel;
    int captionNumber = 1;

    bool isParagraph() const { return kind == Kind::Paragraph; }
    int length() const { return isParagraph() ? static_cast<int>(text.size()) : 1; }
};

struct TextPosition {
    int block = 0;
    int offset = 0;
    bool operator==(const TextPosition&) const = default;
};

// The document's selection: characters start..end of one block, or a floating shape.
struct DocumentSelection {
    int block = 0;
    int start = 0;
    int end = 0;
    std::optional<int> shapeId;  // a selected floating shape
};

class DocumentImpl : public office::Document, public std::enable_shared_from_this<DocumentImpl> {
  public:
    QString name() const override { return name_; }
    QString fullName() const override { return fullName_; }
    std::shared_ptr<office::TextRange> range() override;
    int inlineShapeCount() const override { return count(Block::Kind::InlineShape); }
    std::shared_ptr<office::DocumentShape> inlineShape(int index) override;
    int shapeCount() const override { return count(Block::Kind::FloatingShape); }
    std::shared_ptr<office::DocumentShape> shape(int index) override;

    // For the model, the loader and the dump.
    void addBlock(Block b);               // at the end, with a fresh id
    int insertBlock(int index, Block b);  // with a fresh id, which it returns
    Block* findBlock(int id);
    int indexOf(int id) const;  // -1 when gone
    // Word documents always hold a paragraph: an empty content gets one.
    void ensureParagraph();
    QString selectedText() const;
    // Removes the selected characters and collapses the selection to where they were.
    void deleteSelectedText();
    // Inserts `b` at the insertion point: into an empty paragraph, or splitting the one it
    // stands in. Returns the new block's index; the insertion point follows it.
    int insertAtSelection(Block b);
    // Inserts a new paragraph after the text at `at`, splitting a paragraph there; the new one
    // takes the paragraph's format. Returns its index.
    int splitAt(TextPosition at);
    TextPosition endPosition() const;
    void renumberCaptions(const QString& label);

    QString name_;
    QString fullName_;
    PageSetup pageSetup;
    std::vector<Block> content;
    DocumentSelection selection;

  private:
    int count(Block::Kind kind) const;
    std::shared_ptr<office::DocumentShape> nth(Block::Kind kind, int index);
    int nextId_ = 1;
};

class WordApp : public office::Word {
  public:
    WordApp(std::shared_ptr<Clipboard> clipboard, std::weak_ptr<ExcelApp> excel)
        : clipboard_(std::move(clipboard)), excel_(std::move(excel)) {}

    std::shared_ptr<office::Document> activeDocument() const override { return active_.lock(); }
    std::vector<std::shared_ptr<office::Document>> documents() const override;

    void setVisible(bool on) override { visible = on; }
    void activate() override { ++activations; }
    QString selectionText() const override;
    PageSetup selectionPageSetup() const override;
    void typeParagraph() override;
    void moveDown(int unit, int count) override;
    void homeKey(int unit) override;
    void paste() override;
    void pasteSpecial(const PasteSpecialOptions& options) override;
    void pasteExcelTable(bool linked, bool wordFormatting, bool rtf) override;
    void setParagraphAlignment(int alignment) override;
    void setShapeRangeLeft(double left) override;
    void insertCaption(const QString& label, const QString& title) override;
    void addCaptionLabel(const QString& name) override;

    std::shared_ptr<DocumentImpl> activeDocumentImpl() const { return active_.lock(); }
    void setActive(const std::shared_ptr<DocumentImpl>& d) { active_ = d; }
    bool knowsCaptionLabel(const QString& name) const;

    bool running = false;
    bool visible = true;
    int activations = 0;
    std::vector<QString> captionLabels;  // added by the user or a program; the built-in ones not
    std::vector<std::shared_ptr<DocumentImpl>> list;

  private:
    DocumentImpl& document() const;  // the active one; throws without
    void pasteContent(bool asDefault, bool link, bool floating);
    Block pictureBlock(const ClipContent& clip, const QString& kind) const;
    std::shared_ptr<Clipboard> clipboard_;
    std::weak_ptr<ExcelApp> excel_;
    std::weak_ptr<DocumentImpl> active_;
};

}  // namespace office::memory

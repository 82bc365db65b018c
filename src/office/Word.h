#pragma once

// The word processor as the program sees it. Every call may throw office::Error.

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "office/Error.h"

namespace office {

// The numbers of the word processor's object model that the program passes.
inline constexpr int wdCollapseEnd = 0;  // Range.Collapse direction
inline constexpr int wdCollapseStart = 1;
inline constexpr int wdLine = 5;  // units of MoveDown and HomeKey
inline constexpr int wdStory = 6;
inline constexpr int wdAlignParagraphLeft = 0;  // ParagraphFormat.Alignment
inline constexpr int wdAlignParagraphCenter = 1;
inline constexpr int wdPasteOLEObject = 0;  // PasteSpecial DataType
inline constexpr int wdInLine = 0;          // PasteSpecial Placement
inline constexpr int wdFloatOverText = 1;
inline constexpr int msoShadow21 = 21;  // Shadow.Type

// Lengths in points.
struct PageSetup {
    double pageWidth = 612, pageHeight = 792;
    double leftMargin = 72, rightMargin = 72, topMargin = 72, bottomMargin = 72;

    double textWidth() const { return pageWidth - leftMargin - rightMargin; }
    double textHeight() const { return pageHeight - topMargin - bottomMargin; }
    bool operator==(const PageSetup&) const = default;
};

// The named arguments of PasteSpecial; an argument left out takes the word processor's default.
struct PasteSpecialOptions {
    std::optional<bool> link;
    std::optional<int> dataType;
    std::optional<int> placement;
    std::optional<bool> displayAsIcon;
};

struct ShadowFormat {
    int type = msoShadow21;
    double size = 100;
    double blur = 0;
    bool operator==(const ShadowFormat&) const = default;
};

// An inline shape or a floating shape of a document.
class DocumentShape {
  public:
    virtual ~DocumentShape() = default;
    virtual double width() const { notSupported("Width"); }
    virtual void setWidth(double) { notSupported("Width"); }
    virtual double height() const { notSupported("Height"); }
    virtual void setHeight(double) { notSupported("Height"); }
    virtual void setShadow(const ShadowFormat&) { notSupported("Shadow"); }
    virtual void select() { notSupported("Select"); }
};

// A stretch of a document's text.
class TextRange {
  public:
    virtual ~TextRange() = default;
    virtual void collapse(int /*direction*/) { notSupported("Collapse"); }
    virtual void insertParagraphAfter() { notSupported("InsertParagraphAfter"); }
    // ParagraphFormat.PageBreakBefore of the paragraphs the range touches.
    virtual void setPageBreakBefore(bool) { notSupported("PageBreakBefore"); }
    virtual void select() { notSupported("Select"); }
};

class Document {
  public:
    virtual ~Document() = default;
    virtual QString name() const = 0;
    virtual QString fullName() const = 0;

    // The whole document (Range).
    virtual std::shared_ptr<TextRange> range() { notSupported("Range"); }
    // InlineShapes and Shapes: 1-based, in document order.
    virtual int inlineShapeCount() const { notSupported("InlineShapes"); }
    virtual std::shared_ptr<DocumentShape> inlineShape(int /*index*/) {
        notSupported("InlineShapes");
    }
    virtual int shapeCount() const { notSupported("Shapes"); }
    virtual std::shared_ptr<DocumentShape> shape(int /*index*/) { notSupported("Shapes"); }
};

class Word {
  public:
    virtual ~Word() = default;
    virtual std::shared_ptr<Document> activeDocument() const = 0;  // null when none
    virtual std::vector<std::shared_ptr<Document>> documents() const = 0;

    virtual void setVisible(bool) { notSupported("Visible"); }
    virtual void activate() { notSupported("Activate"); }

    // The selection, in the active document; without a document these throw.
    virtual QString selectionText() const { notSupported("Selection.Text"); }
    virtual PageSetup selectionPageSetup() const { notSupported("Selection.PageSetup"); }
    virtual void typeParagraph() { notSupported("TypeParagraph"); }
    virtual void moveDown(int /*unit*/, int /*count*/) { notSupported("MoveDown"); }
    virtual void homeKey(int /*unit*/) { notSupported("HomeKey"); }
    virtual void paste() { notSupported("Paste"); }
    virtual void pasteSpecial(const PasteSpecialOptions&) { notSupported("PasteSpecial"); }
    virtual void pasteExcelTable(bool /*linked*/, bool /*wordFormatting*/, bool /*rtf*/) {
        notSupported("PasteExcelTable");
    }
    virtual void setParagraphAlignment(int) { notSupported("ParagraphFormat.Alignment"); }
    // Selection.ShapeRange.Left: the selected floating shape's horizontal position.
    virtual void setShapeRangeLeft(double) { notSupported("ShapeRange.Left"); }
    virtual void insertCaption(const QString& /*label*/, const QString& /*title*/) {
        notSupported("InsertCaption");
    }

    // CaptionLabels.Add.
    virtual void addCaptionLabel(const QString&) { notSupported("CaptionLabels.Add"); }
};

}  // namespace office

#pragma once

// The built-in word processor. Its documents are kept as the desktop describes them, with every
// property, so that pastes can grow them and dumps show them.

#include <QString>
#include <memory>
#include <vector>

#include "office/Word.h"
#include "office/memory/Presentations.h"

namespace office::memory {

struct PageSetup {
    double pageWidth = 612, pageHeight = 792;
    double leftMargin = 72, rightMargin = 72, topMargin = 72, bottomMargin = 72;
};

// One block of a document's content, in document order.
struct Block {
    enum class Kind { Paragraph, InlineShape, FloatingShape, Table, Caption };
    Kind kind = Kind::Paragraph;
    QString text;                  // Paragraph
    bool pageBreakBefore = false;  // Paragraph
    Shape shape;                   // InlineShape, FloatingShape
    std::vector<std::vector<QString>> table;
    QString captionLabel;
    int captionNumber = 1;
};

class DocumentImpl : public office::Document {
  public:
    QString name() const override { return name_; }
    QString fullName() const override { return fullName_; }

    QString name_;
    QString fullName_;
    PageSetup pageSetup;
    std::vector<Block> content;
    QString selectionText;
};

class WordApp : public office::Word {
  public:
    std::shared_ptr<office::Document> activeDocument() const override { return active_.lock(); }
    std::vector<std::shared_ptr<office::Document>> documents() const override;

    std::shared_ptr<DocumentImpl> activeDocumentImpl() const { return active_.lock(); }
    void setActive(const std::shared_ptr<DocumentImpl>& d) { active_ = d; }

    bool running = false;
    std::vector<std::shared_ptr<DocumentImpl>> list;

  private:
    std::weak_ptr<DocumentImpl> active_;
};

}  // namespace office::memory

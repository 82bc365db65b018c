#pragma once

// Writer as the word processor. Internal to the adapter.

#include <QStringList>

#include "office/Word.h"
#include "office/libreoffice/DocumentSet.h"

namespace office::libreoffice {

class WriterApp : public Word {
  public:
    explicit WriterApp(std::shared_ptr<Session> session);
    bool hasDocuments() const;

    std::shared_ptr<Document> activeDocument() const override;
    std::vector<std::shared_ptr<Document>> documents() const override;

    void setVisible(bool visible) override;
    void activate() override;
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

  private:
    std::shared_ptr<Document> wrap(const Reference<css::frame::XModel>& model) const;
    // The active document; throws when none is open.
    Reference<css::frame::XModel> model() const;
    const Session& session() const { return docs_.session(); }

    DocumentSet docs_;
    mutable Wrappers<Document> wrappers_;
    // Caption labels belong to the application, as in the other word processor; Writer keeps
    // them per document, so each is made in a document when a caption first needs it.
    QStringList captionLabels_;
};

}  // namespace office::libreoffice

#pragma once

// What the main form starts but does not do itself: the export dialogs and the exports of the
// previewed item. The export features implement it; start-up hands it to the form.

#include <QString>

namespace platform {
class Prompt;
}

namespace mainform {

class Exports {
  public:
    virtual ~Exports() = default;

    // "Continue": the dialog of the destination (the form has set the export count).
    virtual void openPowerPointDialog() = 0;
    virtual void startWordExport() = 0;  // checks the word processor, counts, opens its dialog
    virtual void openWebDialog() = 0;
    virtual void openPdfDialog() = 0;
    virtual void openImageFilesDialog() = 0;
    virtual void showLayoutForm() = 0;

    // The express paste: the item the form has just selected in the spreadsheet.
    virtual void exportSelectionToPowerPoint(int pasteFormat) = 0;
    virtual void exportSelectionToWord(int pasteFormat) = 0;
    virtual void exportSelectionToImageFile() = 0;

    // The form closes: the windows the exports opened go with it.
    virtual void closeAll() {}
};

// Says, for each operation, that this build does not have it yet.
class MissingExports : public Exports {
  public:
    explicit MissingExports(platform::Prompt& prompt) : prompt_(prompt) {}
    void openPowerPointDialog() override { missing(QStringLiteral("Export to slides")); }
    void startWordExport() override { missing(QStringLiteral("Export to documents")); }
    void openWebDialog() override { missing(QStringLiteral("Export to a web page")); }
    void openPdfDialog() override { missing(QStringLiteral("Export to PDF")); }
    void openImageFilesDialog() override { missing(QStringLiteral("Export to image files")); }
    void showLayoutForm() override { missing(QStringLiteral("The layout window")); }
    void exportSelectionToPowerPoint(int) override { missing(QStringLiteral("Export to slides")); }
    void exportSelectionToWord(int) override { missing(QStringLiteral("Export to documents")); }
    void exportSelectionToImageFile() override { missing(QStringLiteral("Export to image files")); }

  private:
    void missing(const QString& what);
    platform::Prompt& prompt_;
};

}  // namespace mainform

#include "startup/FeatureExports.h"

#include "startup/Messages.h"

namespace startup {

void FeatureExports::call(const std::function<void(Run&)>& feature, const QString& what) {
    if (feature)
        feature(run_);
    else
        run_.services.prompt.warn(messages::notInThisBuild(what));
}

void FeatureExports::openPowerPointDialog() {
    call(run_.features.powerPointDialog, QStringLiteral("Export to slides"));
}

void FeatureExports::startWordExport() {
    call(run_.features.wordExport, QStringLiteral("Export to documents"));
}

void FeatureExports::openWebDialog() {
    call(run_.features.webDialog, QStringLiteral("Export to a web page"));
}

void FeatureExports::openPdfDialog() {
    call(run_.features.pdfDialog, QStringLiteral("Export to PDF"));
}

void FeatureExports::openImageFilesDialog() {
    call(run_.features.imageFilesDialog, QStringLiteral("Export to image files"));
}

void FeatureExports::showLayoutForm() {
    call(run_.features.showLayoutForm, QStringLiteral("The layout window"));
}

void FeatureExports::exportSelectionToPowerPoint(int pasteFormat) {
    const auto& f = run_.features.selectionToPowerPoint;
    call(f ? [&](Run& r) { f(r, pasteFormat); } : std::function<void(Run&)>{},
         QStringLiteral("Export to slides"));
}

void FeatureExports::exportSelectionToWord(int pasteFormat) {
    const auto& f = run_.features.expressPasteToWord;
    call(f ? [&](Run& r) { f(r, pasteFormat); } : std::function<void(Run&)>{},
         QStringLiteral("Export to documents"));
}

void FeatureExports::exportSelectionToImageFile() {
    call(run_.features.selectionToImageFile, QStringLiteral("Export to image files"));
}

void FeatureExports::closeAll() {
    for (const auto& close : run_.features.closeWindows) close(run_);
}

}  // namespace startup

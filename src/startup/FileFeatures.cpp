#include "startup/FileFeatures.h"

#include <QApplication>

#include "images/DialogImageFiles.h"
#include "images/PasteToImagesFiles.h"
#include "pdf/DialogPDF.h"
#include "startup/FormLink.h"
#include "web/DialogHTML.h"

namespace startup {

namespace {

// The main form's list and its close, for a dialog opened from the form.
std::optional<images::ExportTarget> formTarget(Run& run) {
    auto link = mainFormLink(run);
    if (!link.list) {
        run.services.prompt.warn(QStringLiteral("The main form is not open."));
        return std::nullopt;
    }
    return images::ExportTarget{*link.list, link.unload};
}

void closeNamed(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) w->close();
}

}  // namespace

void addFileFeatures(Features& f, std::shared_ptr<platform::Chooser> chooser) {
    f.imageFilesDialog = [chooser](Run& run) {
        auto target = formTarget(run);
        if (!target) return;
        auto* dialog =
            new images::DialogImageFiles(run.services, run.state, *chooser, std::move(*target));
        dialog->Form_Load();
        dialog->show();
    };
    f.pdfDialog = [chooser](Run& run) {
        auto target = formTarget(run);
        if (!target) return;
        auto* dialog = new pdf::DialogPDF(run.services, run.state, *chooser, std::move(*target));
        dialog->Form_Load();
        dialog->show();
    };
    f.webDialog = [](Run& run) {
        auto target = formTarget(run);
        if (!target) return;
        auto* dialog = new web::DialogHTML(run.services, run.state, std::move(*target));
        dialog->Form_Load();
        dialog->show();
    };
    f.selectionToImageFile = [](Run& run) {
        images::ExportSelectionToImageFile(run.services, run.state);
    };
    f.closeWindows.push_back([](Run&) {
        closeNamed(QStringLiteral("DialogImageFiles"));
        closeNamed(QStringLiteral("DialogPDF"));
        closeNamed(QStringLiteral("DialogHTML"));
    });
}

}  // namespace startup

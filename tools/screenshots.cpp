// Opens each window of the program on a desktop and saves a picture of it, so the windows can
// be looked at without clicking through them:  corvane_screenshots DESKTOP.json OUTDIR

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "chrome/AboutWindow.h"
#include "chrome/BarStep.h"
#include "chrome/HelpWindow.h"
#include "chrome/ProgressBar.h"
#include "chrome/ProgressWindow.h"
#include "images/DialogImageFiles.h"
#include "layout/LayoutForm.h"
#include "mainform/Exports.h"
#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "office/memory/Office.h"
#include "pdf/DialogPDF.h"
#include "platform/Choosers.h"
#include "platform/Instance.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "powerpoint/Dialog.h"
#include "powerpoint/PictureStyles.h"
#include "startup/CorvaneLoad.h"
#include "startup/Dispatch.h"
#include "startup/SplashProgress.h"
#include "web/DialogHTML.h"
#include "word/DialogWord.h"

namespace {

bool save(QWidget& w, const QDir& out, const QString& name) {
    w.show();
    QApplication::processEvents();
    const QString path = out.filePath(name + ".png");
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane_screenshots DESKTOP.json OUTDIR\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 2;
    }
    std::unique_ptr<office::memory::Office> host;
    try {
        host = office::memory::loadDesktop(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    platform::RecordingPrompt prompt;
    platform::RecordingShell shell;
    platform::InstanceLock instance(QDir::tempPath());
    run::Services services{*host, prompt, shell, instance,
                           platform::OutputFolders{QDir::tempPath()}};
    run::RunState state;
    startup::attachOffice(*host, state.office);
    if (!state.office.workbook) {
        std::fprintf(stderr, "the desktop has no active workbook\n");
        return 2;
    }
    state.office.itemCount = inventory::CountItems(*state.office.excel, *state.office.workbook);
    bool ok = true;

    startup::CorvaneLoad splash;
    splash.bar()->setVisible(true);
    chrome::stepBar(*splash.bar(), 45, 100);
    ok &= save(splash, out, "splash");
    splash.hide();

    statesheet::OpenMainForm(state.office, prompt, {});
    mainform::MissingExports exports(prompt);
    startup::SplashProgress progress(state.progress, nullptr, host->pacer());
    mainform::UserformObj form(services, state, exports, progress, {});
    form.Form_Load();
    for (int i = 0; i < 100 && form.timerEnabled(2); ++i) form.Timer1_Timer(2);
    for (int i = 0; i < 100 && form.timerEnabled(5); ++i) form.Timer1_Timer(5);
    for (int row = 0; row < form.list()->rowCount(); ++row)
        if (form.list()->cell(row, mainform::column::Type) == QLatin1String("Embedded")) {
            form.list()->selectRow(row);
            form.listCharts_ItemClick(row);
            for (int i = 0; i < 100 && form.timerEnabled(2); ++i) form.Timer1_Timer(2);
            break;
        }
    ok &= save(form, out, "main-form");

    chrome::ProgressWindow export_(0, 4);
    int done = 2;
    export_.AdvanceExportProgress(done, 4);
    ok &= save(export_, out, "progress");

    chrome::HelpWindow help;
    help.setText(form.helpTexts().at(0));
    ok &= save(help, out, "help");

    chrome::AboutWindow about;
    ok &= save(about, out, "about");

    // The Word dialog on the desktop's active document, when it has one.
    class ShownForm : public word::MainForm {
      public:
        explicit ShownForm(mainform::UserformObj& f) : f_(f) {}
        run::ItemList& list() override { return *f_.list(); }
        void minimise() override {}
        void restore() override {}
        void close() override {}

      private:
        mainform::UserformObj& f_;
    };
    office::ignoreErrors([&] { state.word = host->attachWord(); });
    state.exportCount = run::countChecked(*form.list());
    word::DialogWord dialogWord(word::WordRun{services, state, std::make_shared<ShownForm>(form)});
    dialogWord.setAttribute(Qt::WA_DeleteOnClose, false);
    if (dialogWord.Form_Load()) ok &= save(dialogWord, out, "word-dialog");
    dialogWord.hide();

    // The export to slides: its dialog, the picture styles and the layout window.
    run::FormLink link;
    link.list = form.list();
    powerpoint::Dialog slides(services, state, link);
    slides.setAttribute(Qt::WA_DeleteOnClose, false);
    slides.Form_Load();
    ok &= save(slides, out, "slides-dialog");
    slides.hide();
    powerpoint::PredefinedStyles styles(state);
    styles.Form_Load();
    ok &= save(styles, out, "picture-styles");
    styles.hide();
    layout::LayoutForm layoutForm(services, state);
    layoutForm.Form_Load();
    ok &= save(layoutForm, out, "layout");
    layoutForm.hide();

    // The file exports' dialogs.
    platform::RecordingChooser chooser;
    images::ExportTarget target{*form.list(), [] {}};
    web::DialogHTML web(services, state, target);
    web.setAttribute(Qt::WA_DeleteOnClose, false);
    web.Form_Load();
    ok &= save(web, out, "web-dialog");
    web.hide();
    pdf::DialogPDF pdfDialog(services, state, chooser, target);
    pdfDialog.setAttribute(Qt::WA_DeleteOnClose, false);
    pdfDialog.Form_Load();
    ok &= save(pdfDialog, out, "pdf-dialog");
    pdfDialog.hide();
    images::DialogImageFiles files(services, state, chooser, target);
    files.setAttribute(Qt::WA_DeleteOnClose, false);
    files.Form_Load();
    ok &= save(files, out, "image-files-dialog");
    return ok ? 0 : 1;
}

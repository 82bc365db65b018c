#include "startup/WordFeatures.h"

#include <QApplication>
#include <QWidget>

#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "word/DialogWord.h"
#include "word/PWordNewFile.h"
#include "word/PasteSelectionToWord.h"

namespace startup {

namespace {

class FormAdapter : public word::MainForm {
  public:
    explicit FormAdapter(mainform::UserformObj* form) : form_(form) {}
    run::ItemList& list() override { return *form_->list(); }
    void minimise() override { form_->showMinimized(); }
    void restore() override { form_->showNormal(); }
    void close() override { form_->close(); }

  private:
    mainform::UserformObj* form_;
};

mainform::UserformObj* openMainForm() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<mainform::UserformObj*>(w); form && form->isVisible())
            return form;
    return nullptr;
}

}  // namespace

void addWordFeatures(Features& f) {
    f.wordExport = [](Run& run) {
        auto* form = openMainForm();
        if (!form) return;
        word::WordRun wordRun{run.services, run.state, std::make_shared<FormAdapter>(form)};
        word::StartWordExport(wordRun);
    };
    f.selectionToWord = [](Run& run, int kind) {
        word::PasteSelectionForCode(run.services, run.state, kind);
    };
    f.expressPasteToWord = [](Run& run, int pasteFormat) {
        word::PasteSelectionForFormat(run.services, run.state, pasteFormat);
    };
    f.closeWindows.push_back([](Run&) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<word::DialogWord*>(w) && w->isVisible()) w->close();
    });
}

}  // namespace startup

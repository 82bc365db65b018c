#include "startup/WordFeatures.h"

#include <QApplication>
#include <QWidget>

#include "startup/FormLink.h"
#include "word/DialogWord.h"
#include "word/PWordNewFile.h"
#include "word/PasteSelectionToWord.h"

namespace startup {

namespace {

class FormAdapter : public word::MainForm {
  public:
    explicit FormAdapter(run::FormLink link) : link_(std::move(link)) {}
    run::ItemList& list() override { return *link_.list; }
    void minimise() override { link_.minimise(); }
    void restore() override { link_.restore(); }
    void close() override { link_.unload(); }

  private:
    run::FormLink link_;
};

}  // namespace

void addWordFeatures(Features& f) {
    f.wordExport = [](Run& run) {
        auto link = mainFormLink(run);
        if (!link.list) return;
        word::WordRun wordRun{run.services, run.state,
                              std::make_shared<FormAdapter>(std::move(link))};
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

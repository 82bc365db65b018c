#include "word/PWordNewFile.h"

#include <algorithm>

#include "chrome/ProgressWindow.h"
#include "inventory/Items.h"
#include "office/Error.h"
#include "platform/Prompt.h"
#include "word/DialogWord.h"

namespace word {

using office::ignoreErrors;

namespace {

const QString NoWord = QStringLiteral("The action requires an open Word document");
const QString NoDocument = QStringLiteral("No active Word document open. Press OK to continue");

enum class Format { Pictures = 0, Editable = 1, Embedded = 2, Linked = 3 };

void warnMinimised(WordRun& run, const QString& text) {
    run.form->minimise();
    run.services.prompt.warn(text);
    run.form->restore();
}

// Copies the row's item in the spreadsheet; each statement alone, errors ignored.
void copyItem(office::Workbook& wb, const run::ListRow& row, bool picture) {
    std::shared_ptr<office::Sheet> sheet;
    ignoreErrors([&] { sheet = wb.sheet(row.sheet()); });
    if (!sheet) return;
    if (row.text == inventory::ChartSheetText) {
        ignoreErrors([&] { sheet->activate(); });
        ignoreErrors([&] {
            if (picture)
                sheet->chart()->copyPicture();
            else
                sheet->chart()->copy();
        });
    } else if (row.type() == inventory::TypeEmbedded) {
        ignoreErrors([&] { sheet->activate(); });
        std::shared_ptr<office::ChartObject> object;
        ignoreErrors([&] {
            for (const auto& co : sheet->chartObjects())
                if (co->name() == row.text) object = co;
        });
        if (!object) return;
        if (picture) ignoreErrors([&] { object->select(); });
        ignoreErrors([&] { object->activate(); });
        ignoreErrors([&] {
            if (picture)
                object->chart()->copyPicture();
            else
                object->chart()->copy();
        });
    } else {
        ignoreErrors([&] { sheet->select(); });
        std::optional<office::Range> range;
        ignoreErrors([&] {
            auto name = wb.findName(office::quoteSheetName(row.sheet()) + '!' + row.text);
            if (!name) name = wb.findName(row.text);
            if (name) range = name->refersToRange();
        });
        if (!range) return;
        ignoreErrors([&] { range->select(); });
        ignoreErrors([&] {
            if (picture)
                range->copyPicture();
            else
                range->copy();
        });
    }
}

void pasteItem(office::Word& word, Format format) {
    office::PasteSpecialOptions ole;
    ole.link = format == Format::Linked;
    ole.dataType = office::wdPasteOLEObject;
    ole.placement = office::wdFloatOverText;
    ole.displayAsIcon = false;
    switch (format) {
        case Format::Pictures:
            word.paste();
            break;
        case Format::Editable:
            word.pasteSpecial({});
            break;
        case Format::Embedded:
        case Format::Linked:
            word.pasteSpecial(ole);
            break;
    }
}

void exportLoop(WordRun& run, Format format) {
    auto& ctx = run.state.office;
    auto& state = run.state;
    auto& list = run.form->list();
    auto word = state.word;
    if (!word || !ctx.workbook) return;
    if (format != Format::Pictures) ignoreErrors([&] { ctx.excel->setScreenUpdating(true); });
    state.progress.exportTotal = state.exportCount;
    state.progress.exportDone = 0;
    for (int r = 0; r < list.rowCount(); ++r) {
        const run::ListRow row = list.row(r);
        bool visible = false;
        ignoreErrors([&] {
            auto sheet = ctx.workbook->sheet(row.sheet());
            visible = sheet && sheet->visible() == office::xlSheetVisible;
        });
        if (!row.checked || !visible) continue;
        list.selectRow(r);
        StartNewPage(*word);
        const QString caption = row.caption();
        if (run.progress)
            run.progress->AdvanceExportProgress(state.progress.exportDone,
                                                state.progress.exportTotal);
        else
            ++state.progress.exportDone;
        if (format == Format::Pictures) ignoreErrors([&] { word->typeParagraph(); });
        // An item that cannot be copied must not paste the one before it again.
        ignoreErrors([&] { run.services.host.clipboard().clear(); });
        copyItem(*ctx.workbook, row, format == Format::Pictures);
        int inlineBefore = 0, floatingBefore = 0;
        ignoreErrors([&] {
            auto doc = word->activeDocument();
            inlineBefore = doc->inlineShapeCount();
            floatingBefore = doc->shapeCount();
        });
        ignoreErrors([&] { pasteItem(*word, format); });
        if (format == Format::Pictures || format == Format::Editable)
            FinishInlineItem(*word, state, caption, inlineBefore);
        else
            FitFloatingItem(*word, floatingBefore);
    }
    ignoreErrors([&] { ctx.excel->setScreenUpdating(true); });
    if (list.rowCount() > 0) list.selectRow(0);
    run.services.pacer().wait(100);
    // The insertion point goes to the start of its line: the view stays on the last item.
    if (format != Format::Editable) ignoreErrors([&] { word->homeKey(office::wdLine); });
    ignoreErrors([&] { word->activate(); });
    run.form->close();
    state.word.reset();
}

}  // namespace

DialogWord* StartWordExport(WordRun& run) {
    auto& state = run.state;
    state.word.reset();
    ignoreErrors([&] { state.word = run.services.host.attachWord(); });
    if (!state.word) {
        warnMinimised(run, NoWord);
        return nullptr;
    }
    std::shared_ptr<office::Document> document;
    ignoreErrors([&] { document = state.word->activeDocument(); });
    if (!document) {
        warnMinimised(run, NoDocument);
        state.word.reset();
        return nullptr;
    }
    state.exportCount = run::countChecked(run.form->list());
    auto* dialog = new DialogWord(run);
    if (!dialog->Form_Load()) return nullptr;
    dialog->show();
    return dialog;
}

void StartNewPage(office::Word& word) {
    std::shared_ptr<office::Document> doc;
    ignoreErrors([&] { doc = word.activeDocument(); });
    if (!doc) return;
    auto end = [&] {
        auto r = doc->range();
        r->collapse(office::wdCollapseEnd);
        return r;
    };
    ignoreErrors([&] { end()->insertParagraphAfter(); });
    ignoreErrors([&] { end()->setPageBreakBefore(true); });
    ignoreErrors([&] { end()->insertParagraphAfter(); });
    ignoreErrors([&] { end()->setPageBreakBefore(false); });
    ignoreErrors([&] { end()->select(); });
}

void FinishInlineItem(office::Word& word, const run::RunState& state, const QString& caption,
                      int inlineBefore) {
    // An item pasted as a table or text adds no inline shape; the last one then belongs to
    // another item, which keeps its size and look.
    std::shared_ptr<office::DocumentShape> shape;
    ignoreErrors([&] {
        auto doc = word.activeDocument();
        const int count = doc->inlineShapeCount();
        if (count > inlineBefore) shape = doc->inlineShape(count);
    });
    if (state.wordSameWidth == 1 && shape) {
        ignoreErrors([&] {
            const auto page = word.selectionPageSetup();
            const double ratio = shape->height() / shape->width();
            shape->setWidth(page.textWidth());
            shape->setHeight(std::min(0.5 * page.textHeight(), ratio * page.textWidth()));
        });
    }
    if (!caption.isEmpty() && state.wordCaption == 1) {
        ignoreErrors([&] { word.addCaptionLabel(caption); });
        ignoreErrors([&] { word.insertCaption(caption, QString()); });
    }
    if (state.wordShadow == 1 && shape)
        ignoreErrors([&] { shape->setShadow({office::msoShadow21, 100, 15}); });
}

void FitFloatingItem(office::Word& word, int floatingBefore) {
    ignoreErrors([&] {
        const double width = word.selectionPageSetup().textWidth();
        auto doc = word.activeDocument();
        const int count = doc->shapeCount();
        if (count <= floatingBefore) return;
        auto shape = doc->shape(count);
        shape->select();
        shape->setWidth(width);
    });
}

void ExportPicturesToWord(WordRun& run) {
    exportLoop(run, Format::Pictures);
}
void ExportEditableToWord(WordRun& run) {
    exportLoop(run, Format::Editable);
}
void ExportEmbeddedToWord(WordRun& run) {
    exportLoop(run, Format::Embedded);
}
void ExportLinkedToWord(WordRun& run) {
    exportLoop(run, Format::Linked);
}

void ExportToWord(WordRun& run, int pasteFormat) {
    switch (pasteFormat) {
        case 0:
            ExportPicturesToWord(run);
            break;
        case 1:
            ExportEditableToWord(run);
            break;
        case 2:
            ExportEmbeddedToWord(run);
            break;
        case 3:
            ExportLinkedToWord(run);
            break;
        default:
            break;
    }
}

}  // namespace word

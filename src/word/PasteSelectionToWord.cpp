#include "word/PasteSelectionToWord.h"

#include "office/Error.h"
#include "platform/Prompt.h"

namespace word {

using office::ignoreErrors;

namespace {

const QString NoWord = QStringLiteral("The action requires an open Word document");
const QString NothingToPaste = QStringLiteral("Nothing to paste, try again");
const QString TablesOnly = QStringLiteral("This icon refers to tables only");
const QString Failed =
    QStringLiteral("Operation has failed!Please make sure that no graphic is selected");

enum class Op { Picture, Embedded, Linked, Editable, Table };
enum class Kind { ChartSheet, EmbeddedChart, Range };

QString question(Op op) {
    switch (op) {
        case Op::Picture:
            return QStringLiteral("Warning!Inseted object may override the current selected text");
        case Op::Embedded:
        case Op::Table:
            return QStringLiteral("Warning!Inseted object may override the current selected text.");
        case Op::Linked:
        case Op::Editable:
            return QStringLiteral(
                "Warning!Inseted object will override the current selected text.");
    }
    return {};
}

// The selection's kind, or none when the selection is refused as empty: a shape, a picture, a
// chart's frame or a part of a chart selected on a worksheet.
std::optional<Kind> selectionKind(const office::OfficeContext& ctx, office::Selection& selection) {
    try {
        auto sheet = ctx.workbook->activeSheet();
        if (!sheet) return std::nullopt;
        selection = ctx.excel->selection();
        if (sheet->type() == office::xlChart) return Kind::ChartSheet;
        if (selection.kind == office::Selection::Kind::ChartArea) return Kind::EmbeddedChart;
        if (selection.kind == office::Selection::Kind::Range) return Kind::Range;
    } catch (const office::Error&) {
    }
    return std::nullopt;
}

void copy(const office::OfficeContext& ctx, const office::Selection& selection, Kind kind,
          bool picture) {
    if (kind == Kind::Range) {
        if (!selection.range) throw office::Error(office::errors::ObjectRequired, NothingToPaste);
        picture ? selection.range->copyPicture() : selection.range->copy();
        return;
    }
    auto chart = kind == Kind::ChartSheet ? ctx.workbook->activeSheet()->chart() : selection.chart;
    if (!chart) throw office::Error(office::errors::ObjectRequired, NothingToPaste);
    picture ? chart->copyPicture() : chart->copy();
}

void paste(office::Word& word, Op op) {
    office::PasteSpecialOptions ole;
    ole.dataType = office::wdPasteOLEObject;
    ole.placement = office::wdFloatOverText;
    ole.displayAsIcon = false;
    switch (op) {
        case Op::Picture:
            word.paste();
            break;
        case Op::Embedded:
        case Op::Linked:
            ole.link = op == Op::Linked;
            word.pasteSpecial(ole);
            break;
        case Op::Editable:
            word.pasteSpecial({});
            break;
        case Op::Table:
            word.pasteExcelTable(false, false, false);
            break;
    }
}

bool resized(Op op, Kind kind) {
    if (op == Op::Table) return false;
    if (kind != Kind::Range) return true;
    return op == Op::Embedded || op == Op::Linked;
}

// Sets the item the paste added to the text width, keeping its proportions. The item is found
// in the collection it landed in: a pasted object may come inline or floating.
void resize(office::Word& word, Op op, Kind kind, double textWidth, int inlineBefore,
            int floatingBefore) {
    auto doc = word.activeDocument();
    if (!doc) throw office::Error(office::errors::ObjectRequired, NoWord);
    std::shared_ptr<office::DocumentShape> shape;
    bool floating = false;
    if (const int n = doc->shapeCount(); n > floatingBefore) {
        shape = doc->shape(n);
        floating = true;
        if (kind == Kind::Range) shape->select();
    } else if (const int m = doc->inlineShapeCount(); m > inlineBefore) {
        shape = doc->inlineShape(m);
    }
    if (!shape) return;  // pasted as text or a table
    const double height = shape->height();
    const double width = shape->width();
    shape->setWidth(textWidth);
    shape->setHeight(textWidth * (height / width));
    // A chart sheet's object floats at the left edge of the text, which it now fills.
    if (floating && kind == Kind::ChartSheet && (op == Op::Linked || op == Op::Editable))
        word.setShapeRangeLeft(0);
}

void pasteSelection(run::Services& services, run::RunState& state, Op op) {
    auto& ctx = state.office;
    auto& prompt = services.prompt;
    if (op != Op::Table)
        ignoreErrors([&] {
            if (ctx.excel) ctx.excel->setDisplayAlerts(false);
        });
    auto word = AttachWord(services);
    if (!word) return;
    office::Selection selection;
    const auto kind = ctx.excel && ctx.workbook ? selectionKind(ctx, selection) : std::nullopt;
    if (!kind) {
        prompt.warn(NothingToPaste);
        return;
    }
    QString selected;
    ignoreErrors([&] { selected = word->selectionText(); });
    if (selected.size() > 1 &&
        prompt.show({question(op), platform::Icon::None, platform::Buttons::YesNo, false}) !=
            platform::Answer::Yes)
        return;
    // Down one line first, so that the selected text stays.
    if (op == Op::Picture || op == Op::Table)
        ignoreErrors([&] { word->moveDown(office::wdLine, 1); });
    else if (op == Op::Embedded)
        word->moveDown(office::wdLine, 1);
    try {
        const double textWidth = word->selectionPageSetup().textWidth();
        if (op == Op::Table && *kind != Kind::Range) {
            prompt.warn(TablesOnly);
            return;
        }
        copy(ctx, selection, *kind, op == Op::Picture);
        auto doc = word->activeDocument();
        const int inlineBefore = doc ? doc->inlineShapeCount() : 0;
        const int floatingBefore = doc ? doc->shapeCount() : 0;
        paste(*word, op);
        if (resized(op, *kind))
            resize(*word, op, *kind, textWidth, inlineBefore, floatingBefore);
        else if (op == Op::Picture)
            // A range picture keeps its size; centred, it lines up with the full-width items.
            word->setParagraphAlignment(office::wdAlignParagraphCenter);
    } catch (const office::Error&) {
        prompt.warn(Failed);
        return;
    }
    word->setVisible(true);
    word->activate();
}

}  // namespace

std::shared_ptr<office::Word> AttachWord(run::Services& services) {
    std::shared_ptr<office::Word> word;
    int documents = 0;
    ignoreErrors([&] { word = services.host.attachWord(); });
    ignoreErrors([&] {
        if (word) documents = static_cast<int>(word->documents().size());
    });
    if (!word || documents <= 0) {
        services.prompt.warn(NoWord);
        return nullptr;
    }
    return word;
}

void PasteSelectionPicture(run::Services& services, run::RunState& state) {
    pasteSelection(services, state, Op::Picture);
}
void PasteSelectionEmbedded(run::Services& services, run::RunState& state) {
    pasteSelection(services, state, Op::Embedded);
}
void PasteSelectionLinked(run::Services& services, run::RunState& state) {
    pasteSelection(services, state, Op::Linked);
}
void PasteSelectionEditable(run::Services& services, run::RunState& state) {
    pasteSelection(services, state, Op::Editable);
}
void PasteSelectionTable(run::Services& services, run::RunState& state) {
    pasteSelection(services, state, Op::Table);
}

void PasteSelectionForCode(run::Services& services, run::RunState& state, int kind) {
    switch (kind) {
        case 0:
            return PasteSelectionPicture(services, state);
        case 1:
            return PasteSelectionEmbedded(services, state);
        case 2:
            return PasteSelectionLinked(services, state);
        case 3:
            return PasteSelectionTable(services, state);
        default:
            return;
    }
}

void PasteSelectionForFormat(run::Services& services, run::RunState& state, int pasteFormat) {
    switch (pasteFormat) {
        case 0:
            return PasteSelectionPicture(services, state);
        case 1:
            return PasteSelectionEditable(services, state);
        case 2:
            return PasteSelectionEmbedded(services, state);
        case 3:
            return PasteSelectionLinked(services, state);
        default:
            return;
    }
}

}  // namespace word

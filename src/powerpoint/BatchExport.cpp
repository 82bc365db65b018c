#include "powerpoint/BatchExport.h"

#include <QPointer>
#include <cmath>

#include "chrome/ProgressWindow.h"
#include "inventory/Items.h"
#include "layout/Layout.h"
#include "office/Error.h"
#include "powerpoint/Objects.h"
#include "powerpoint/Paste.h"
#include "powerpoint/PictureStyles.h"
#include "powerpoint/SelectionExport.h"
#include "powerpoint/WindowServices.h"

namespace powerpoint {

using office::ignoreErrors;

namespace {

constexpr int xlNormal = -4143;
constexpr int xlMaximized = -4137;

[[noreturn]] void subscriptOutOfRange() {
    throw office::Error(office::errors::NotFound, QStringLiteral("Subscript out of range"));
}

std::shared_ptr<office::Sheet> sheetOf(office::Workbook& wb, const QString& name) {
    auto sheet = wb.sheet(name);
    if (!sheet) subscriptOutOfRange();
    return sheet;
}

office::Range namedRange(office::Workbook& wb, const QString& sheet, const QString& name) {
    auto n = wb.findName(office::quoteSheetName(sheet) + QLatin1Char('!') + name);
    if (!n) n = wb.findName(name);
    if (!n) subscriptOutOfRange();
    return n->refersToRange();
}

// Copies the row's item to the clipboard; false for a range of several areas.
bool copyItem(run::RunState& state, office::Workbook& wb, const run::ListRow& row) {
    auto sheet = sheetOf(wb, row.sheet());
    if (row.text == inventory::ChartSheetText) {
        sheet->activate();
        must(sheet->chart()).copy();
    } else if (row.type() == inventory::TypeEmbedded) {
        sheet->activate();
        for (const auto& co : sheet->chartObjects())
            if (co->name() == row.text) {
                co->select();
                must(co->chart()).copy();
                return true;
            }
        subscriptOutOfRange();
    } else {
        const office::Range range = namedRange(wb, row.sheet(), row.text);
        if (range.areaCount() > 1) return false;
        state.office.excel->setScreenUpdating(true);
        if (state.pasteFormat == 0)
            range.copyPicture();
        else
            range.copy();
    }
    return true;
}

}  // namespace

int SlideNumber(const QString& text) {
    if (text.trimmed().isEmpty()) return 0;
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || std::abs(d) > 32767) throw office::Error(13, QStringLiteral("Type mismatch"));
    return static_cast<int>(std::nearbyint(d));
}

void ReadSlideExportOptions(run::Services& services, run::RunState& state) {
    std::shared_ptr<office::PowerPoint> pp;
    ignoreErrors([&] { pp = services.host.attachPowerPoint(); });
    ignoreErrors([&] { services.host.clipboard().clear(); });
    ignoreErrors([&] {
        if (app(pp).slideShowWindowCount() > 0) activePresentation(*pp).exitSlideShow();
    });
    ignoreErrors([&] { state.powerPoint.savedViewType = app(pp).activeWindow()->viewType(); });
}

void AddSourceLabel(run::Services& services, run::RunState& state) {
    const QString text = must(state.office.workbook).fullName();
    auto window = services.host.attachPowerPoint()->activeWindow();
    auto label = window->selectedSlide()->addLabel(1, 20.25, 518, 8.5, 28.875);
    label->select();
    label->setWordWrap(false);
    auto range = window->selectedShape();
    range->setText(text);
    range->setFontName(QStringLiteral("Tahoma"));
    range->setFontSize(10);
    range->setFontColor(office::rgb(178, 178, 178));
    window->unselect();
}

bool ExportCheckedItemsToSlides(run::Services& services, run::RunState& state, MainFormLink& form,
                                const SlideExportOptions& options,
                                chrome::ProgressWindow* progressWindow) {
    auto& ctx = state.office;
    auto& run = state.powerPoint;
    QPointer<chrome::ProgressWindow> progress(progressWindow);
    const auto pp = [&] { return services.host.attachPowerPoint(); };
    const auto closeProgress = [&] {
        if (progress) progress->close();
    };
    // A stopped export gives the spreadsheet and the windows back as they were.
    const auto giveBack = [&] {
        ignoreErrors([&] { must(ctx.excel).setScreenUpdating(true); });
        ignoreErrors([&] { must(ctx.excel).setWindowState(xlMaximized); });
        closeProgress();
        ignoreErrors([&] { form.restore(); });
        run.placementDone = false;
    };

    form.minimise();
    ReadSlideExportOptions(services, state);
    const bool predefined = form.predefinedSlides();
    QString itemName;
    try {
        if (!ctx.presentation)
            throw office::Error(91,
                                QStringLiteral("Object variable or With block variable not set"));
        auto& wb = must(ctx.workbook);
        const int startCount = activePresentation(*pp()).slideCount();
        if (!predefined)
            for (int i = 0; i < state.exportCount; ++i)
                ctx.presentation->addSlide(startCount + 1, office::ppLayoutTitleOnly);

        must(ctx.excel).setWindowState(xlNormal);
        BringPowerPointToFront(services);
        try {
            run.currentSlideIndex = pp()->activeWindow()->viewSlideIndex();
            ctx.powerPoint = pp();
        } catch (const office::Error&) {
            pp()->activeWindow()->gotoSlide(activePresentation(*pp()).slideCount());
            run.currentSlideIndex = pp()->activeWindow()->viewSlideIndex();
        }
        services.host.clipboard().clear();
        ctx.excel->setScreenUpdating(false);

        int exported = 0;
        state.progress.exportDone = 0;
        state.progress.exportTotal = state.exportCount;
        const int rows = form.list ? form.list->rowCount() : 0;
        for (int i = 0; i < rows; ++i) {
            const run::ListRow row = form.list->row(i);
            itemName = row.text == inventory::ChartSheetText ? row.sheet() : row.text;
            if (row.checked && sheetOf(wb, row.sheet())->visible() == office::xlSheetVisible) {
                if (predefined) {
                    if (exported == state.exportCount) break;
                    const int number = SlideNumber(row.slide());
                    if (number == 0) continue;
                    ++exported;
                    run.currentSlideIndex = number;
                    activePresentation(*pp()).slide(number)->select();
                } else {
                    ++exported;
                    run.currentSlideIndex = startCount + exported;
                    pp()->activeWindow()->gotoSlide(run.currentSlideIndex);
                }
                form.list->selectRow(i);
                if (progress)
                    progress->AdvanceExportProgress(state.progress.exportDone,
                                                    state.progress.exportTotal);

                if (!copyItem(state, wb, row)) {
                    services.prompt.show({MultipleSelectionText, platform::Icon::Exclamation,
                                          platform::Buttons::Ok, true});
                    giveBack();
                    return false;
                }
                const bool range =
                    row.text != inventory::ChartSheetText && row.type() != inventory::TypeEmbedded;
                PasteIntoSlide(services, state, state.pasteFormat, row.type());
                if (range) ctx.excel->setScreenUpdating(false);
                if (!run.placementDone) {
                    layout::ReadLayoutSettings(services, state);
                    layout::PlacePastedShape(services, state, [&](bool enabled) {
                        SetPowerPointScreenUpdating(services, state, enabled);
                    });
                }
                run.placementDone = false;

                // The pasted item, before a source label comes after it.
                const int item = pp()->activeWindow()->selectedSlide()->shapeCount();
                if (state.pictureStyle > 0) ApplyPictureStyle(services, state, item);
                if (options.sourceLabel) AddSourceLabel(services, state);
                if (options.captionsAsTitles)
                    activePresentation(*pp())
                        .slide(run.currentSlideIndex)
                        ->title()
                        ->setText(row.caption());
                if (options.shadow) {
                    state.pictureStyle = StyleShadow;
                    ApplyPictureStyle(services, state, item);
                }
            }
            pp()->activeWindow()->unselect();
        }
    } catch (const std::exception& e) {
        giveBack();
        const QString why = QString::fromUtf8(e.what());
        services.prompt.show(
            {itemName.isEmpty()
                 ? QStringLiteral("The export to slides stopped: %1").arg(why)
                 : QStringLiteral("The export to slides stopped at \"%1\": %2").arg(itemName, why),
             platform::Icon::Exclamation, platform::Buttons::Ok, true});
        return false;
    }

    ignoreErrors([&] { must(ctx.excel).setScreenUpdating(true); });
    closeProgress();
    ignoreErrors([&] { must(ctx.excel).setWindowState(xlMaximized); });
    ignoreErrors([&] { must(must(ctx.excel).activeSheet()).setRowsHidden(1, 500000, false); });
    ignoreErrors([&] { pp()->activeWindow()->setViewType(run.savedViewType); });
    ignoreErrors([&] { form.unload(); });
    return true;
}

}  // namespace powerpoint

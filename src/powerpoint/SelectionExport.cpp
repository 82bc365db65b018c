#include "powerpoint/SelectionExport.h"

#include "layout/Layout.h"
#include "office/Error.h"
#include "powerpoint/BatchExport.h"
#include "powerpoint/Objects.h"
#include "powerpoint/Paste.h"
#include "powerpoint/WindowServices.h"

namespace powerpoint {

using office::ignoreErrors;

const QString NoPowerPointText = QStringLiteral(
    "No open PowerPoint found. \r Please open an existing presentation or create a new one");
const QString MultipleSelectionText = QStringLiteral("Corvane does not support multiple selection");

namespace {

constexpr int xlNormal = -4143;
constexpr int xlMaximized = -4137;

// Runs the statement with errors ignored; false when it failed.
template <typename F>
bool attempt(F&& statement) {
    try {
        statement();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Errors ignored: the view type back, the spreadsheet maximised with its rows and columns shown,
// and, outside batch mode, the applications released.
void restoreAfterExport(run::Services& services, run::RunState& state) {
    auto& ctx = state.office;
    ignoreErrors([&] {
        services.host.attachPowerPoint()->activeWindow()->setViewType(
            state.powerPoint.savedViewType);
    });
    ignoreErrors([&] { must(ctx.excel).setWindowState(xlMaximized); });
    ignoreErrors([&] { must(must(ctx.excel).activeSheet()).setRowsHidden(1, 500000, false); });
    ignoreErrors([&] { must(must(ctx.excel).activeSheet()).setColumnsHidden(1, 200, false); });
    if (!state.mainFormOpen) {
        ctx.excel.reset();
        ctx.powerPoint.reset();
    }
}

}  // namespace

bool IsPowerPointRunning(run::Services& services) {
    return attempt([&] { services.host.attachPowerPoint(); });
}

bool HasOpenPresentation(run::Services& services, run::RunState& state) {
    auto& ctx = state.office;
    ignoreErrors([&] { ctx.powerPoint = services.host.attachPowerPoint(); });
    if (!ctx.powerPoint)
        throw office::Error(91, QStringLiteral("Object variable or With block variable not set"));
    return !ctx.powerPoint->presentations().empty();
}

// The batch export's preparation, then the normal view, the only one a paste lands in.
void PrepareSlideView(run::Services& services, run::RunState& state) {
    ReadSlideExportOptions(services, state);
    std::shared_ptr<office::PowerPoint> pp;
    ignoreErrors([&] { pp = services.host.attachPowerPoint(); });
    ignoreErrors([&] {
        if (state.powerPoint.savedViewType != office::ppViewNormal)
            app(pp).activeWindow()->setViewType(office::ppViewNormal);
    });
}

void ExportSelectionToPowerPoint(run::Services& services, run::RunState& state, int mode) {
    auto& ctx = state.office;
    auto& prompt = services.prompt;
    if (!IsPowerPointRunning(services) || !HasOpenPresentation(services, state)) {
        prompt.show({NoPowerPointText, platform::Icon::Exclamation, platform::Buttons::Ok, true});
        return;
    }
    auto& run = state.powerPoint;
    const auto pp = [&] { return services.host.attachPowerPoint(); };

    bool ok = attempt([&] { run.currentSlideIndex = pp()->activeWindow()->viewSlideIndex(); });
    ok = attempt([&] { ctx.powerPoint = pp(); }) && ok;
    ok = attempt([&] { must(ctx.excel).setWindowState(xlNormal); }) && ok;
    ok =
        attempt([&] {
            auto app = pp();
            qint64 handle = 0;
            BringWindowToFront(
                *app, activePresentation(*app).name() + QStringLiteral(" - PowerPoint"), handle, 1);
        }) &&
        ok;
    if (!ok)  // no slide in view: the last slide
        ignoreErrors(
            [&] { pp()->activeWindow()->gotoSlide(activePresentation(*pp()).slideCount()); });
    ignoreErrors([&] { run.currentSlideIndex = pp()->activeWindow()->viewSlideIndex(); });

    // From here on errors reach the caller; the spreadsheet is given back either way.
    try {
        PrepareSlideView(services, state);
        layout::ReadLayoutSettings(services, state);
        if (IsOlderPowerPoint(pp()->version())) {
            ignoreErrors([&] {
                auto slide = pp()->activeWindow()->selectedSlide();
                if (slide->layout() == office::ppLayoutBlank)
                    slide->setLayout(office::ppLayoutTitle);
                slide->shape(slide->shapeCount())->select();
            });
        }

        auto& wb = must(ctx.workbook);
        const office::Selection selection = must(ctx.excel).selection();
        const auto sheet = wb.activeSheet();
        QString kind;
        if (sheet && sheet->type() == office::xlChart) {
            must(sheet->chart()).copy();
            services.pacer().wait(100);
            kind = QStringLiteral("{Chart Sheet}");
        } else if (sheet && sheet->type() == office::xlWorksheet &&
                   selection.kind == office::Selection::Kind::ChartArea && selection.chart) {
            selection.chart->copy();
            services.pacer().wait(1000);
            kind = QStringLiteral("Embedded");
        } else if (selection.kind == office::Selection::Kind::Range && selection.range) {
            if (selection.range->areaCount() > 1) {
                prompt.show(
                    {MultipleSelectionText, platform::Icon::None, platform::Buttons::Ok, true});
                restoreAfterExport(services, state);
                return;
            }
            selection.range->copy();
            kind = QStringLiteral("Range");
        }
        // A selection that is neither a chart nor a range pastes nothing, and then there is no
        // new shape to place: the slide's own shapes stay where they are.
        if (!kind.isEmpty()) {
            PasteIntoSlide(services, state, mode, kind);
            if (!run.placementDone)
                layout::PlacePastedShape(services, state, [&](bool enabled) {
                    SetPowerPointScreenUpdating(services, state, enabled);
                });
        }
        run.placementDone = false;
        services.pacer().processEvents(1);
        pp()->activeWindow()->unselect();
        if (state.mainFormOpen) {
            auto start = wb.sheet(ctx.startSheetName);
            if (!start)
                throw office::Error(office::errors::NotFound,
                                    QStringLiteral("Subscript out of range"));
            start->select();
        }
    } catch (...) {
        run.placementDone = false;
        restoreAfterExport(services, state);
        throw;
    }
    restoreAfterExport(services, state);
}

}  // namespace powerpoint

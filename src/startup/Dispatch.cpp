#include "startup/Dispatch.h"

#include <QApplication>

#include "mainform/Exports.h"
#include "office/Error.h"
#include "platform/Files.h"
#include "startup/CorvaneLoad.h"
#include "startup/Messages.h"

namespace startup {

QString messages::tooManyItems(int count) {
    return QStringLiteral(
               "The active workbook holds %1 charts and named ranges; Corvane can list at most "
               "%2.\r\r"
               "Please open Corvane on a workbook with fewer items.")
        .arg(count)
        .arg(inventory::MaxItems);
}

QString messages::notInThisBuild(const QString& what) {
    return QStringLiteral("%1 is not available in this version of Corvane yet.").arg(what);
}

namespace {

using office::ignoreErrors;

void notYet(Run& run, const QString& what) {
    run.services.prompt.warn(messages::notInThisBuild(what));
}

bool needsWorkbook(const QString& code) {
    static const QStringList codes = {"/212", "/312", "/3122", "/412", "/512",
                                      "/612", "/712", "/812",  "/111"};
    return codes.contains(code);
}

}  // namespace

void attachOffice(office::Host& host, office::OfficeContext& c) {
    ignoreErrors([&] { c.excel = host.attachExcel(); });
    ignoreErrors([&] { c.powerPoint = host.attachPowerPoint(); });
    ignoreErrors([&] {
        if (c.excel) c.excel->setDisplayAlerts(false);
    });
    ignoreErrors([&] {
        if (c.excel) c.workbook = c.excel->activeWorkbook();
    });
    ignoreErrors([&] {
        if (c.workbook) c.startSheetName = c.workbook->activeSheet()->name();
    });
    ignoreErrors([&] {
        if (c.powerPoint) c.presentation = c.powerPoint->activePresentation();
    });
    ignoreErrors([&] {
        if (c.excel) c.excel->setDisplayAlerts(true);
    });
}

void startUp(const QString& code, Run& run) {
    auto& ctx = run.state.office;
    attachOffice(run.services.host, ctx);
    // From here on errors reach the caller.
    ctx.itemCount = ctx.workbook ? inventory::CountItems(*ctx.excel, *ctx.workbook) : 0;
    run.state.countedItems = ctx.itemCount;
    dispatch(code, run);
}

void dispatch(const QString& code, Run& run) {
    auto& f = run.features;
    if (needsWorkbook(code) && !run.state.office.workbook) return;

    if (code == QLatin1String("/001")) {
        OpenWebPage(run, HelpAddress);
    } else if (code == QLatin1String("/002")) {
        OpenWebPage(run, FaqAddress);
    } else if (code == QLatin1String("/003")) {
        OpenWebPage(run, PurchaseAddress);
    } else if (code == QLatin1String("/004") || code == QLatin1String("/922")) {
        f.showAbout ? f.showAbout(run) : notYet(run, QStringLiteral("The About window"));
    } else if (code == QLatin1String("/006")) {
        f.showLayoutForm ? f.showLayoutForm(run) : notYet(run, QStringLiteral("The layout window"));
    } else if (code == QLatin1String("/112")) {
        startBatchMode(run);
    } else if (code == QLatin1String("/3122")) {
        if (selectionCoversEmbeddedChart(*run.state.office.excel)) {
            run.services.prompt.warn(messages::EmbeddedCharts);
            return;
        }
        f.selectionToPowerPoint ? f.selectionToPowerPoint(run, 2)
                                : notYet(run, QStringLiteral("Export to slides"));
    } else if (code == QLatin1String("/212") || code == QLatin1String("/312") ||
               code == QLatin1String("/412")) {
        const int format = code == QLatin1String("/212")   ? 0
                           : code == QLatin1String("/312") ? 1
                                                           : 3;
        f.selectionToPowerPoint ? f.selectionToPowerPoint(run, format)
                                : notYet(run, QStringLiteral("Export to slides"));
    } else if (code == QLatin1String("/512") || code == QLatin1String("/612") ||
               code == QLatin1String("/712") || code == QLatin1String("/812")) {
        const int kind = code.mid(1, 1).toInt() - 5;
        f.selectionToWord ? f.selectionToWord(run, kind)
                          : notYet(run, QStringLiteral("Export to documents"));
    } else if (code == QLatin1String("/111")) {
        f.selectionToImageFile ? f.selectionToImageFile(run)
                               : notYet(run, QStringLiteral("Export to image files"));
    }
}

void startBatchMode(Run& run) {
    auto& ctx = run.state.office;
    auto& prompt = run.services.prompt;
    if (!ctx.workbook) {
        if (prompt.askOkCancel(messages::NoWorkbook)) OpenWorkbookDialog(run);
        return;
    }
    if (!run.services.instance.acquire()) return;
    if (ctx.itemCount == 0) {
        prompt.show({messages::NoItems, platform::Icon::Warning, platform::Buttons::Ok, false});
        return;
    }
    // Stop before the workbook is touched: the stored format counts in 16 bits.
    if (ctx.itemCount > inventory::MaxItems) {
        prompt.warn(messages::tooManyItems(ctx.itemCount));
        return;
    }
    run.splash = std::make_unique<CorvaneLoad>();
    run.splash->show();
    run.services.pacer().processEvents(1);
    const bool opened = statesheet::OpenMainForm(ctx, prompt, [&] {
        run.splash->show();
        run.services.pacer().processEvents(1);
        if (run.features.showMainForm) {
            run.features.showMainForm(
                run);  // the main form closes the splash once its list is filled
        } else {
            run.splash.reset();
            notYet(run, QStringLiteral("The main form"));
        }
    });
    if (!opened) run.splash.reset();
}

bool RangesOverlap(const office::Excel& excel, const office::Range& a, const office::Range& b) {
    return excel.intersect(a, b).has_value();
}

bool selectionCoversEmbeddedChart(const office::Excel& excel) {
    try {
        auto sheet = excel.activeSheet();
        if (!sheet) return false;
        const auto selection = excel.selection();
        if (selection.kind != office::Selection::Kind::Range || !selection.range) return false;
        for (const auto& co : sheet->chartObjects()) {
            try {
                const auto tl = co->topLeftCell().first();
                const auto br = co->bottomRightCell().first();
                office::Range covered =
                    sheet->range(office::CellRect{tl.top, tl.left, br.bottom, br.right});
                if (RangesOverlap(excel, *selection.range, covered)) return true;
            } catch (const office::Error&) {
            }
        }
    } catch (const office::Error&) {
    }
    return false;
}

void OpenWorkbookDialog(Run& run) {
    auto& excel = run.state.office.excel;
    if (!excel) return;
    auto& prompt = run.services.prompt;
    QString answer;
    try {
        answer = excel->getOpenFilename(messages::OpenFileFilter, messages::OpenFileTitle);
    } catch (const office::Error&) {
        return;
    }
    if (answer == QLatin1String("False")) {
        prompt.warn(messages::NoFileSelected);
        return;
    }
    if (platform::IsFileOpen(answer)) prompt.warn(messages::FileAlreadyOpen);
    ignoreErrors([&] { excel->openWorkbook(answer); });
}

void OpenWebPage(Run& run, const QString& address) {
    run.services.shell.open(address);
}

}  // namespace startup

#include "images/PasteToImagesFiles.h"

#include <QDir>
#include <QRandomGenerator>

#include "images/FileNames.h"
#include "office/Error.h"

namespace images {

namespace {

const QString NothingSaved =
    QStringLiteral("Nothing was saved: select a chart, or a range of one area, and try again.");

QString savedMessage(const QString& path) {
    return QStringLiteral("Selection saved as ") + path;
}

// A range goes through a temporary chart of the range's size, which the office exports.
void exportRangeThroughChart(const office::Range& range, const QString& path) {
    range.copyPicture();
    auto chartObject =
        range.worksheet().addChartObject(range.left(), range.top(), range.width(), range.height());
    try {
        chartObject->setName(TemporaryChartName);
        chartObject->activate();
        chartObject->chart()->paste();
        chartObject->chart()->exportFile(path);
    } catch (...) {
        office::ignoreErrors([&] { chartObject->remove(); });
        office::ignoreErrors([&] { range.select(); });
        throw;
    }
    chartObject->remove();
    // Activating the chart took the selection; give it back.
    office::ignoreErrors([&] { range.select(); });
}

}  // namespace

QString imageFileName(const run::ListRow& row, int position, const ImageFilesOptions& options) {
    const QString extension = imaging::extension(options.format);
    const QString stem =
        options.nameAndSheet ? row.text + '-' + row.sheet() : QString::number(position);
    return safeFileName(stem, extension) + extension;
}

void ExportCheckedItemsToImageFiles(ExportRun& run, const ImageFilesOptions& options) {
    auto& state = run.state;
    auto& clipboard = run.services.host.clipboard();
    if (state.imageExportFolder.isEmpty()) state.imageExportFolder = run.services.folders.images();
    const QString folder = state.imageExportFolder;
    QDir().mkpath(folder);  // an existing folder is no error
    state.progress.exportDone = 0;

    QStringList failed;
    for (int i = 0; i < run.list.rowCount(); ++i) {
        const run::ListRow row = run.list.row(i);
        if (!row.checked || !sheetVisible(state, row.sheet())) continue;
        // Emptied first, so that a failed copy never saves the previous item under this name.
        office::ignoreErrors([&] { clipboard.clear(); });
        bool copied = false;
        office::ignoreErrors([&] {
            copyItem(state, row);
            copied = true;
        });
        run.advance();
        run.services.pacer().wait(500);
        const imaging::Image image =
            copied ? imaging::Image::fromClipboard(clipboard) : imaging::Image();
        const QString path = QDir(folder).filePath(imageFileName(row, i + 1, options));
        if (image.isNull() || !isDirectlyInside(folder, path) || !image.save(path, options.format))
            failed << itemLabel(row);
    }
    if (options.openFolder) run.services.shell.open(folder);
    if (!failed.isEmpty())
        run.services.prompt.warn(QStringLiteral("These items could not be saved as image files:") +
                                 '\r' + failed.join('\r'));
    run.finish();
}

void ExportSelectionToImageFile(run::Services& services, run::RunState& state,
                                const std::function<int()>& randomNumber) {
    auto& clipboard = services.host.clipboard();
    office::ignoreErrors([&] { clipboard.clear(); });
    const QString folder = services.folders.images();
    auto draw = [&] {
        return randomNumber ? randomNumber() : QRandomGenerator::global()->bounded(10001, 99999);
    };
    QString path;
    for (int attempt = 0; attempt < 1000 && (path.isEmpty() || fileExists(path)); ++attempt)
        path = QDir(folder).filePath(QStringLiteral("Corvane%1.png").arg(draw()));
    if (fileExists(path)) {
        services.prompt.warn(QStringLiteral("No free file name was found in ") + folder);
        return;
    }

    auto excel = state.office.excel;
    std::shared_ptr<office::Sheet> sheet;
    office::Selection selection;
    if (excel)
        office::ignoreErrors([&] {
            sheet = excel->activeSheet();
            selection = excel->selection();
        });
    if (!sheet) {
        services.prompt.warn(NothingSaved, false);
        return;
    }
    office::ignoreErrors([&] {
        if (sheet->type() == office::xlWorksheet &&
            selection.kind == office::Selection::Kind::ChartArea && selection.chart)
            selection.chart->copy();
        if (sheet->type() == office::xlChart) sheet->chart()->copy();
    });

    if (selection.kind == office::Selection::Kind::Range && selection.range &&
        selection.range->areaCount() == 1 && sheet->type() == office::xlWorksheet) {
        QDir().mkpath(folder);
        try {
            exportRangeThroughChart(*selection.range, path);
        } catch (const office::Error& e) {
            services.prompt.warn(
                QStringLiteral("The selection could not be saved: ") + e.description(), false);
            return;
        }
        services.prompt.show({savedMessage(path)});
        return;
    }

    QDir().mkpath(folder);
    const imaging::Image image = imaging::Image::fromClipboard(clipboard);
    if (image.isNull()) {
        services.prompt.warn(NothingSaved, false);
        return;
    }
    if (const auto saved = image.save(path, imaging::Format::Png); !saved) {
        services.prompt.warn(QStringLiteral("The selection could not be saved: ") + saved.message,
                             false);
        return;
    }
    services.prompt.show({savedMessage(path)});
}

}  // namespace images

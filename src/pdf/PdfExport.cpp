#include "pdf/PdfExport.h"

#include <QDate>
#include <QDir>
#include <QLocale>

#include "images/FileNames.h"
#include "imaging/Image.h"
#include "imaging/PdfWriter.h"
#include "office/Error.h"

namespace pdf {

namespace {

using imaging::TextAlign;

// The imaging component's image units are points; 2.52 / 72 turns them into page units.
constexpr double UnitsPerPoint = 2.52 / 72;

}  // namespace

std::optional<Placement> placePicture(double widthPt, double heightPt, double sizeFactor) {
    if (!(widthPt > 0 && heightPt > 0)) return std::nullopt;
    double w = std::min(MaxPictureWidth, widthPt * UnitsPerPoint);
    double h = w * heightPt / widthPt;
    w *= sizeFactor / 100;
    h *= sizeFactor / 100;
    return Placement{(PageWidth - w) / 2, (CoverHeight - h) / 2, w, h};
}

QString sourceText(const QString& fullName, const QString& sheet) {
    return fullName + QStringLiteral(" ,  ") + sheet;
}

std::optional<QString> outputPath(const QString& folder, const QString& chosen) {
    if (!chosen.isEmpty()) return chosen;
    const auto n =
        images::nextFreeNumber(folder, QStringLiteral("CorvanePDF"), QStringLiteral(".pdf"));
    if (!n) return std::nullopt;
    return QDir(folder).filePath(QStringLiteral("CorvanePDF%1.pdf").arg(*n));
}

void YesPaste6PDF(images::ExportRun& run, const run::PdfExportSettings& settings) {
    auto& services = run.services;
    auto& state = run.state;
    const QString folder = services.folders.pdf();
    QDir().mkpath(folder);
    const auto path = outputPath(folder, settings.chosenFile);
    if (!path) {
        services.prompt.show({QStringLiteral("Every file name from CorvanePDF101.pdf to "
                                             "CorvanePDF999.pdf is taken in ") +
                                  folder + QStringLiteral(". Nothing was written."),
                              platform::Icon::Exclamation, platform::Buttons::Ok, true});
        run.finish();
        return;
    }
    auto failed = [&] {
        services.prompt.show(
            {BuildFailed, platform::Icon::Exclamation, platform::Buttons::Ok, true});
        run.finish();
    };

    imaging::PdfWriter writer;
    if (!writer.start(*path, {QStringLiteral("Title"), QStringLiteral("Author"),
                              QStringLiteral("Corvane"), QStringLiteral("Producer")}))
        return failed();
    writer.setPageSize(PageWidth, CoverHeight);
    if (settings.cover) {
        if (!writer.newPage()) return failed();
        writer.drawText(10, 10, settings.coverText, 45, TextAlign::Center);
        writer.drawText(10, 2,
                        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat), 20,
                        TextAlign::Center);
        writer.endPage();
    }

    QString fullName;
    office::ignoreErrors([&] { fullName = state.office.workbook->fullName(); });
    auto& clipboard = services.host.clipboard();
    state.progress.exportDone = 0;
    QStringList missing;
    int page = 0;
    for (int i = 0; i < run.list.rowCount(); ++i) {
        const run::ListRow row = run.list.row(i);
        if (!row.checked || !images::sheetVisible(state, row.sheet())) continue;
        run.list.selectRow(i);
        ++page;
        // Emptied first, so that a failed copy never shows the previous item on this page.
        office::ignoreErrors([&] { clipboard.clear(); });
        bool copied = false;
        office::ignoreErrors([&] {
            images::copyItem(state, row);
            copied = true;
        });
        run.advance();
        services.pacer().wait(500);
        const imaging::Image image =
            copied ? imaging::Image::fromClipboard(clipboard) : imaging::Image();

        writer.setPageSize(PageWidth, ItemPageHeight);
        if (!writer.newPage()) return failed();
        if (image.isNull()) {
            missing << images::itemLabel(row);
        } else if (const auto at = placePicture(image.width(), image.height(), settings.sizeFactor);
                   at && at->width > 0) {
            writer.drawImage(image, at->x, at->y, at->width, at->height);
        }
        if (settings.captions) writer.drawText(10, 14, row.caption(), 25, TextAlign::Center);
        if (settings.source)
            writer.drawText(10, 0.5, sourceText(fullName, row.sheet()), 6, TextAlign::Center);
        writer.drawText(1, 0.5, QString::number(page), 6, TextAlign::Center);
        writer.endPage();
    }
    if (!writer.finish()) return failed();

    if (settings.open) services.shell.open(*path);
    if (!missing.isEmpty())
        services.prompt.warn(QStringLiteral("These items could not be copied; their pages have "
                                            "no picture:") +
                             '\r' + missing.join('\r'));
    run.finish();
}

}  // namespace pdf

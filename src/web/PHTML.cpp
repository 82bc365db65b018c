#include "web/PHTML.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "images/FileNames.h"
#include "imaging/Image.h"
#include "inventory/Items.h"
#include "office/Error.h"

namespace web {

namespace {

const QChar LF(10);

QString escaped(const QString& text) {
    return text.toHtmlEscaped().replace('\'', QStringLiteral("&#39;"));
}

// A relative address: each part of the path percent-encoded, the separators kept.
QString urlPath(const QString& path) {
    QStringList parts = path.split('/');
    for (auto& part : parts) part = QString::fromLatin1(QUrl::toPercentEncoding(part));
    return parts.join('/');
}

int breakCount(double blankLines) {
    if (!(blankLines >= 1)) return 0;
    return static_cast<int>(std::min(std::floor(blankLines), 100.0));
}

void allNumbersTaken(images::ExportRun& run, const QString& folder) {
    run.services.prompt.show(
        {AllNumbersTaken.arg(folder), platform::Icon::Exclamation, platform::Buttons::Ok, true});
    run.finish();
}

}  // namespace

std::optional<int> pageNumber(const QString& folder) {
    return images::nextFreeNumber(folder, QStringLiteral("CorvaneHTML"), QStringLiteral(".html"));
}

QString pageFile(const QString& folder, int number) {
    return QDir(folder).filePath(QStringLiteral("CorvaneHTML%1.html").arg(number));
}

QString pictureFolder(const QString& folder, int number) {
    return QDir(folder).filePath(QStringLiteral("HTML%1").arg(number));
}

QString widthText(double width) {
    return QString::number(width, 'g', 15);
}

void AppendItemFragment(QString& page, double width, double blankLines, bool titles,
                        const QString& picturePath, const QString& caption) {
    if (!caption.isEmpty() && titles)
        page += QStringLiteral("<div style='text-align: center;'><big><big><big>") +
                escaped(caption) + QStringLiteral("<br></big></big></big></div><br><br>");
    page += QStringLiteral("<div style='text-align: center;'> ") + LF;
    page += QStringLiteral("<img style='width:") + widthText(width) +
            QStringLiteral("px; height:px;' alt='vfd'") + LF;
    page += QStringLiteral("src='") + urlPath(picturePath) + QStringLiteral("'></div>") + LF + LF;
    page += QStringLiteral("<br>").repeated(breakCount(blankLines));
}

bool WritePageAndOpen(run::Services& services, const QString& path, const QString& page,
                      QString* error) {
    QSaveFile file(path);
    const QByteArray bytes = (QStringLiteral("<meta charset=\"utf-8\">") + LF + page).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    services.shell.open(path);
    return true;
}

bool FileExistsByName(const QString& path) {
    return images::fileExists(path);
}

void BuildWebPage(images::ExportRun& run, const run::WebExportSettings& settings) {
    auto& services = run.services;
    auto& state = run.state;
    const QString folder = services.folders.html();
    QDir().mkpath(folder);
    const auto k = pageNumber(folder);
    if (!k) return allNumbersTaken(run, folder);
    const QString path = pageFile(folder, *k);
    const QString pictures = pictureFolder(folder, *k);
    QDir().mkpath(pictures);
    state.progress.exportDone = 0;

    auto& clipboard = services.host.clipboard();
    QString page;
    QStringList missing;
    for (int r = 1; r <= run.list.rowCount(); ++r) {
        const run::ListRow row = run.list.row(r - 1);
        if (!row.checked || !images::sheetVisible(state, row.sheet())) continue;
        // Emptied first, so that a failed copy never shows the previous item's picture.
        office::ignoreErrors([&] { clipboard.clear(); });
        bool copied = false;
        office::ignoreErrors([&] {
            images::copyItem(state, row);
            copied = true;
        });
        run.advance();
        services.pacer().wait(500);
        const QString name = QStringLiteral("Temp%1.png").arg(r);
        const imaging::Image image =
            copied ? imaging::Image::fromClipboard(clipboard) : imaging::Image();
        if (image.isNull() || !image.save(QDir(pictures).filePath(name), imaging::Format::Png)) {
            missing << images::itemLabel(row);
            continue;
        }
        AppendItemFragment(page, settings.pictureWidth, settings.blankLines, settings.titles == 1,
                           QDir(folder).relativeFilePath(QDir(pictures).filePath(name)),
                           row.caption());
    }
    QString error;
    if (!WritePageAndOpen(services, path, page, &error))
        services.prompt.warn(QStringLiteral("The web page could not be written: ") + error);
    else if (!missing.isEmpty())
        services.prompt.warn(QStringLiteral("These items could not be copied and are missing "
                                            "from the page:") +
                             '\r' + missing.join('\r'));
    run.finish();
}

void PublishWebPage(images::ExportRun& run, const run::WebExportSettings& settings) {
    auto& services = run.services;
    auto& state = run.state;
    const QString folder = services.folders.html();
    QDir().mkpath(folder);
    const auto k = pageNumber(folder);
    if (!k) return allNumbersTaken(run, folder);
    const QString path = pageFile(folder, *k);
    const bool autoUpdate = settings.autoUpdate == 1;
    state.progress.exportDone = 0;
    int embedded = 0;

    if (!state.office.workbook || !state.office.excel) {
        services.prompt.warn(QStringLiteral("There is no active workbook to publish."));
        run.finish();
        return;
    }
    auto& wb = *state.office.workbook;
    auto& excel = *state.office.excel;
    std::shared_ptr<office::Sheet> spacer;
    const int lines = breakCount(settings.blankLines);
    try {
        for (const auto& p : wb.publishObjects()) p->remove();
        spacer = wb.addWorksheet();
        // A sheet of that name left behind by an earlier run keeps it; this one takes another.
        QString spacerName = SpacerSheet;
        for (int n = 2; wb.sheet(spacerName); ++n)
            spacerName = SpacerSheet + '_' + QString::number(n);
        spacer->setName(spacerName);
        for (int i = 1; i <= lines; ++i) spacer->setCell(i, 1, office::Value(QString()));
        if (lines > 0) spacer->setFontColorIndex(office::CellRect{1, 1, lines, 1}, 2);

        auto publish = [&](int type, const QString& sheet, const QString& source,
                           const QString& title) {
            auto p =
                wb.addPublishObject(type, path, sheet, source, office::xlHtmlStatic, {}, title);
            p->publish(false);
            p->setAutoRepublish(autoUpdate);
        };
        publish(office::xlSourceRange, spacerName, QStringLiteral("B1:B4"), {});

        for (int r = 0; r < run.list.rowCount(); ++r) {
            const run::ListRow row = run.list.row(r);
            if (!row.checked || !images::sheetVisible(state, row.sheet())) continue;
            run.list.selectRow(r);
            run.advance();
            const QString title = settings.titles == 1 ? row.caption() : QString();
            if (row.text == inventory::ChartSheetText) {
                auto sheet = wb.sheet(row.sheet());
                sheet->select();
                publish(office::xlSourceChart, excel.activeSheet()->name(), {}, title);
            } else if (row.type() == inventory::TypeEmbedded) {
                ++embedded;
                auto sheet = wb.sheet(row.sheet());
                sheet->select();
                auto active = excel.activeSheet();
                std::shared_ptr<office::ChartObject> chart;
                for (const auto& co : active->chartObjects())
                    if (co->name() == row.text) chart = co;
                if (!chart)
                    throw office::Error(office::errors::NotFound,
                                        QStringLiteral("Subscript out of range"));
                const auto tl = chart->topLeftCell().first();
                const auto br = chart->bottomRightCell().first();
                publish(
                    office::xlSourceRange, active->name(),
                    office::formatAddress({office::CellRect{tl.top, tl.left, br.bottom, br.right}}),
                    title);
            } else {
                // A range that cannot be published is left out of the page.
                office::ignoreErrors([&] {
                    const office::Range range = images::namedRange(state, row);
                    publish(office::xlSourceRange, range.worksheet().name(), range.address(),
                            title);
                });
            }
            if (lines > 0) {
                spacer->select();
                publish(office::xlSourceRange, spacerName,
                        office::formatAddress({office::CellRect{1, 1, lines, 1}}), {});
            }
        }
    } catch (const office::Error& e) {
        services.prompt.show(
            {QStringLiteral("The web page could not be published: ") + e.description(),
             platform::Icon::Exclamation, platform::Buttons::Ok, true});
        if (spacer) {
            office::ignoreErrors([&] { excel.setDisplayAlerts(false); });
            office::ignoreErrors([&] { spacer->remove(); });
            office::ignoreErrors([&] { excel.setDisplayAlerts(true); });
        }
        run.finish();
        return;
    }
    office::ignoreErrors([&] { excel.setDisplayAlerts(false); });
    office::ignoreErrors([&] { spacer->remove(); });
    office::ignoreErrors([&] { excel.setDisplayAlerts(true); });
    if (embedded > 0 && autoUpdate)
        services.prompt.show({EmbeddedWarning, platform::Icon::Warning, platform::Buttons::Ok,
                              false, QStringLiteral("Warning")});
    services.pacer().wait(100);
    if (FileExistsByName(path)) services.shell.open(path);
    run.finish();
}

}  // namespace web

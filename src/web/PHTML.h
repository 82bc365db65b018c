#pragma once

// Web page export: a page built here with one PNG picture per item, or the spreadsheet's own
// publication of the items.

#include <QString>
#include <optional>

#include "images/ExportRun.h"

namespace web {

inline const QString SpacerSheet = QStringLiteral("kukuCorvaneReservedName02");
inline const QString AllNumbersTaken = QStringLiteral(
    "Every page name from CorvaneHTML101.html to CorvaneHTML999.html is taken in %1. Nothing "
    "was written.");

// The page's number: the first n from 101 to 999 without a file "CorvaneHTMLn.html".
std::optional<int> pageNumber(const QString& folder);
QString pageFile(const QString& folder, int number);
QString pictureFolder(const QString& folder, int number);  // "HTMLn"

// The picture width as the style writes it: "700", "12.5".
QString widthText(double width);

// Appends one item's fragment: the caption as a title (with `titles`), the picture centred at
// `width` pixels, then min(blank lines, 100) line breaks. `picturePath` is relative to the page
// and goes in percent-encoded; the caption is HTML-escaped.
void AppendItemFragment(QString& page, double width, double blankLines, bool titles,
                        const QString& picturePath, const QString& caption);

// Writes the page as UTF-8 with its charset declared, complete or not at all, and opens it.
// False (with the reason) when it cannot be written.
bool WritePageAndOpen(run::Services& services, const QString& path, const QString& page,
                      QString* error = nullptr);

// FileExistsByName.
bool FileExistsByName(const QString& path);

// The page builder.
void BuildWebPage(images::ExportRun& run, const run::WebExportSettings& settings);

// The spreadsheet's publication.
void PublishWebPage(images::ExportRun& run, const run::WebExportSettings& settings);

inline const QString EmbeddedWarning = QStringLiteral(
    "Please note that Embedded Charts in Excel2007 worksheets would not\rbe correctly "
    "republished if moved or resized. Consider moving\rthem to full chart sheets");

}  // namespace web

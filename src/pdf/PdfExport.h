#pragma once

// PDF export: one page per checked row, with an optional cover page, captions, the source line
// and page numbers. Lengths in centimetres from the bottom-left corner.

#include <QString>
#include <optional>

#include "images/ExportRun.h"

namespace pdf {

inline constexpr double PageWidth = 20;
inline constexpr double CoverHeight = 15;
inline constexpr double ItemPageHeight = 17;
inline constexpr double MaxPictureWidth = 18;

inline const QString BuildFailed =
    QStringLiteral("Can't build pdf file. Please close any open PDF file and try again");

struct Placement {
    double x = 0, y = 0, width = 0, height = 0;
};

// Where a picture of `widthPt` x `heightPt` points goes: at most 18 wide before the size factor
// (a percentage) scales it, centred on the page's upper 15.
std::optional<Placement> placePicture(double widthPt, double heightPt, double sizeFactor);

// "FULLNAME ,  SHEET": the source line at the foot of a page.
QString sourceText(const QString& fullName, const QString& sheet);

// The chosen file, else the first free "CorvanePDFn.pdf" (n from 101 to 999) in `folder`;
// none when every number is taken.
std::optional<QString> outputPath(const QString& folder, const QString& chosen);

// YesPaste6PDF: writes the PDF, opens it when asked, closes the progress window and the form.
void YesPaste6PDF(images::ExportRun& run, const run::PdfExportSettings& settings);

}  // namespace pdf

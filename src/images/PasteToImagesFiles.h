#pragma once

// Image file export: the checked rows as one file each, and the selection as a PNG file.

#include <QString>
#include <functional>

#include "images/ExportRun.h"
#include "imaging/Image.h"

namespace images {

struct ImageFilesOptions {
    imaging::Format format = imaging::Format::Png;
    bool nameAndSheet = true;  // "Name+Sheet"; otherwise "Numerator", the row's list position
    bool openFolder = true;
};

// The file name (without folder) a row gets; `position` is 1 for the list's first row.
QString imageFileName(const run::ListRow& row, int position, const ImageFilesOptions& options);

// One file per checked row on a visible sheet, into the export folder (the fixed images folder
// when none was chosen). Items that cannot be saved are named in one warning at the end.
void ExportCheckedItemsToImageFiles(ExportRun& run, const ImageFilesOptions& options);

// The selected chart or range as "CorvaneNNNNN.png" in the images folder. `randomNumber` gives
// numbers from 10001 to 99998 (a generator seeded from the clock when empty); a number whose file
// exists is drawn again, so no earlier file is overwritten.
void ExportSelectionToImageFile(run::Services& services, run::RunState& state,
                                const std::function<int()>& randomNumber = {});

// The temporary chart that carries a range's picture to the chart export.
inline const QString TemporaryChartName = QStringLiteral("ChartVolumeTallowDevEXPORT");

}  // namespace images

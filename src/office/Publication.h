#pragma once

// The web page an office writes for its publish objects: one division per publication, appended
// before the page's end; pictures go into a folder "NAME_files" beside the page. Both offices
// write the same page, so the program reads one format whichever it works with.

#include <QFileInfo>
#include <QImage>
#include <QString>

namespace office::publication {

// What a failed publication throws (office::Error).
[[noreturn]] void failed();

// Saves the picture into the page's picture folder and returns its <img> tag.
QString imageTag(const QFileInfo& page, const QImage& image);

// One publication: its heading when it has a title, then the body.
QString division(const QString& divId, const QString& sheet, const QString& source,
                 const QString& title, const QString& body);

// Starts the page with the division, or appends it to the page there is; the page is replaced
// whole or not at all.
void write(const QFileInfo& page, const QString& division, bool create);

}  // namespace office::publication

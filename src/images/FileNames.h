#pragma once

// How item and sheet names become file names, and the numbered output names.

#include <QString>
#include <optional>

namespace images {

// A name made safe as one file name in a folder: the path separators "/" and "\", control
// characters and the characters other file systems refuse (: * ? " < > |) become "_", a leading
// "." becomes "_" (no hidden files, no ".."), and the name is cut so that it and `extension`
// fit the 255-byte limit of a file name. An empty name becomes "_".
QString safeFileName(const QString& name, const QString& extension = {});

// True when `path` names an entry directly inside `folder`.
bool isDirectlyInside(const QString& folder, const QString& path);

// FileExists / FileExistsByName: a file (not a folder) of that name exists.
bool fileExists(const QString& path);

// The smallest n from 101 to 999 for which folder/PREFIXn.EXT does not exist; none when every
// number is taken.
std::optional<int> nextFreeNumber(const QString& folder, const QString& prefix,
                                  const QString& extension);

}  // namespace images

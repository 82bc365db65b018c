#pragma once

// The built-in office's clipboard: what was copied last, where it came from, and the pictures of
// it in the forms the copy offers. The record is what pastes and dumps read; the pictures are
// what the program's preview and exports read.

#include <QJsonValue>
#include <QString>
#include <optional>

#include "office/Clipboard.h"
#include "office/Picture.h"

namespace office::memory {

struct ClipSource {
    QString workbook;
    QString sheet;
    QString item;  // chart object name, chart sheet name or range address
    bool operator==(const ClipSource&) const = default;
};

struct ClipContent {
    QString kind;  // "chart", "chartPicture", "range", "rangePicture"
    ClipSource source;
    bool operator==(const ClipContent&) const = default;
};

class Clipboard : public office::Clipboard {
  public:
    // Replaces what the clipboard holds. Each form of `pictures` that is set is offered: the
    // bitmap as Bitmap, the SVG as Metafile. A record alone (as a desktop gives it) offers none.
    void put(ClipContent content, Picture pictures = {});
    void clear() override;
    const std::optional<ClipContent>& content() const { return content_; }

    bool hasFormat(Format format) const override;
    // Any prefers the bitmap.
    std::optional<Picture> picture(Format format) const override;

  private:
    std::optional<ClipContent> content_;
    Picture pictures_;
};

}  // namespace office::memory

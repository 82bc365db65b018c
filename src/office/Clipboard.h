#pragma once

#include <optional>

#include "office/Picture.h"

namespace office {

// The office's clipboard, where copies of charts and ranges land.
class Clipboard {
  public:
    enum class Format { Bitmap, Metafile, Any };

    virtual ~Clipboard() = default;
    virtual bool hasFormat(Format format) const = 0;
    // The picture in that form; nothing when the clipboard holds none.
    virtual std::optional<Picture> picture(Format format) const = 0;
    virtual void clear() = 0;
};

}  // namespace office

#pragma once

#include <QIODevice>
#include <QImage>

#include "imaging/Image.h"

namespace imaging {

// Writes `image` as a GIF to `device` with giflib, after reducing it to a 256-colour palette.
// `image` must be opaque.
SaveResult writeGif(QIODevice& device, const QImage& image);

}  // namespace imaging

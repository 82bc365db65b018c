#pragma once

#include <QByteArray>
#include <QImage>

namespace office {

// A picture as the office's clipboard offers it: a bitmap, or a vector picture (SVG) that
// can be drawn at any size. At least one of the two is set.
struct Picture {
    QImage bitmap;
    QByteArray svg;

    bool isNull() const { return bitmap.isNull() && svg.isEmpty(); }
    bool isVector() const { return !svg.isEmpty(); }
};

}  // namespace office

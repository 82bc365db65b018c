#pragma once

#include <QColor>

namespace chrome {

// The colours the program's windows share.
inline QColor defaultThemeColor() {
    return QColor(0x2f, 0x5d, 0x8c);
}
inline QColor titleTextColor() {
    return QColor(Qt::white);
}

}  // namespace chrome

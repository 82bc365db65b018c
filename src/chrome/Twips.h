#pragma once

namespace chrome {

// Window sizes are given in twips; the screen has 15 twips to a pixel.
inline constexpr int TwipsPerPixel = 15;
constexpr int twips(int t) {
    return t / TwipsPerPixel;
}
constexpr int toTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

}  // namespace chrome

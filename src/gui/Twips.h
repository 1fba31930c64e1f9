// Window layouts are given in twips; the screen takes them at 15 twips to the pixel.
#pragma once

#include <QRect>

namespace orvanto::gui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace orvanto::gui

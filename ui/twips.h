#pragma once

#include <QRect>

// Both windows are laid out in twips, 15 to a pixel at 96 dots per inch. Qt
// scales logical pixels for high-resolution screens by itself.
constexpr int twipsPerPixel = 15;
constexpr int twipsToPixels(int twips) { return twips / twipsPerPixel; }

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

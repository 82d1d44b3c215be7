#pragma once

#include <QFont>

// The face every text of the program is laid out in.
inline constexpr char16_t layoutFace[] = u"ＭＳ Ｐゴシック";

// Size of the window font, used where a control names no font of its own.
constexpr double windowFontPoints = 11.25;

// Where the layout's face is missing (it is Windows' own), maps it onto the
// Japanese Gothic faces this machine has (IPA P Gothic first, which keeps the
// layout's metrics). Call once, after the application object exists and
// before any widget is made.
void installFontSubstitutes();

// The layout's face at a size in points. Sizes are turned into pixels at the
// 96 dots per inch the layout was drawn for, so text keeps its place among the
// controls whatever the screen's logical resolution says.
QFont mappedFont(double points, bool bold = false);

#pragma once

#include <QRect>

class QWidget;

// Where a window opens: its stored place, moved (never resized) just enough
// to lie within the screen's available area, the top-left corner first where
// the window is larger than the screen. Old classroom projectors run at
// 800 x 600, where the stored places reach below the screen's edge.
QRect fittedOnScreen(QRect stored, const QRect &available);

// Places a top-level window at its stored geometry, fitted on the screen
// that holds the stored place; once a window manager has framed it, the
// frame's top-left corner, title bar included, is kept on the screen too.
void placeOnScreen(QWidget *window, const QRect &stored);

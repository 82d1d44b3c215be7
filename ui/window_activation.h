#pragma once

#include <QEvent>

class QWidget;

// Whether an event makes a window the program's active window, as the
// windows' activation handlers count it: each activation by the window
// system, and the first showing, which counts even where the window manager
// does not give a newly shown window the focus.
inline bool isActivation(const QEvent *event, bool &shownBefore)
{
    if (event->type() == QEvent::WindowActivate)
        return true;
    if (event->type() == QEvent::Show && !shownBefore) {
        shownBefore = true;
        return true;
    }
    return false;
}

// Shows a window in front and active, also where the user minimised it or
// something else took it off the screen.
void showInFront(QWidget *window);

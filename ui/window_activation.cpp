#include "ui/window_activation.h"

#include <QWidget>
#include <QWindow>

void showInFront(QWidget *window)
{
    // A minimised window, or one unmapped behind Qt's back, still counts as
    // visible, and showing it again would do nothing: it is mapped afresh.
    const QWindow *handle = window->windowHandle();
    if (window->isVisible() && (window->isMinimized() || (handle && !handle->isExposed())))
        window->hide();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

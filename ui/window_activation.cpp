#include "ui/window_activation.h"

#include <QEvent>
#include <QWindow>

ProgramWindow::ProgramWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{}

bool ProgramWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate || (event->type() == QEvent::Show && !shown)) {
        shown = true;
        Form_Activate();
    }
    return handled;
}

void showInFront(QWidget *window)
{
    // A minimised window, or one unmapped behind Qt's back, still counts as
    // visible, and showing it again would do nothing: it is mapped afresh.
    const QWindow *handle = window->windowHandle();
    if (window->isVisible() && (window->isMinimized() || (handle && !handle->isExposed())))
        window->hide();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->setVisible(true); // not show(), which is full screen in the browser
    window->raise();
    window->activateWindow();
}

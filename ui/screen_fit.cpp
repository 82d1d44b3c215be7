#include "ui/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect fittedOnScreen(QRect stored, const QRect &available)
{
    if (stored.right() > available.right())
        stored.moveRight(available.right());
    if (stored.bottom() > available.bottom())
        stored.moveBottom(available.bottom());
    if (stored.left() < available.left())
        stored.moveLeft(available.left());
    if (stored.top() < available.top())
        stored.moveTop(available.top());
    return stored;
}

void placeOnScreen(QWidget *window, const QRect &stored)
{
    QScreen *screen = QGuiApplication::screenAt(stored.topLeft());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    window->setGeometry(screen ? fittedOnScreen(stored, screen->availableGeometry()) : stored);
    window->setFixedSize(stored.size());
}

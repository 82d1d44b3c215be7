#include "ui/screen_fit.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Moves a shown window, frame and all, just enough to lie on its screen's
// usable area; one that lies there already stays.
void moveOntoScreen(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QPoint fitted = fittedOnScreen(frame, window->screen()->availableGeometry()).topLeft();
    if (fitted != frame.topLeft())
        window->move(fitted); // a top-level window's position is its frame's
}

// The window is placed by its client area, as it is stored, before a window
// manager has framed it; the frame (title bar, borders) is known only once
// the window manager has framed the window after it was first shown. Then
// the frame is moved onto the screen if it reaches off it: a title bar above
// the screen's top edge cannot be dragged. A window manager that never tells
// the frame (or draws none), and no window manager at all, leave the window
// where it was placed.
class FrameFit : public QObject
{
public:
    explicit FrameFit(QWidget *window)
        : QObject(window)
        , window(window)
    {
        window->installEventFilter(this);
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, &FrameFit::look);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !poll.isActive()) {
            waited.start();
            poll.start();
        }
        return false;
    }

private:
    static constexpr int patienceMs = 3000;

    void look()
    {
        const QWindow *handle = window->windowHandle();
        const bool framed = handle && !handle->frameMargins().isNull();
        if (!framed && !waited.hasExpired(patienceMs))
            return;
        poll.stop();
        if (framed)
            moveOntoScreen(window);
        deleteLater(); // once, the first time it is shown
    }

    QWidget *window;
    QTimer poll;
    QElapsedTimer waited;
};

// A projector unplugged, or its resolution lowered, mid-lesson: when the
// screen a window is on shrinks or goes away, a window that no longer lies
// wholly on the usable area comes back onto it by the rule it was placed with;
// one that still fits stays where it is.
class ScreenFollow : public QObject
{
public:
    explicit ScreenFollow(QWidget *window)
        : QObject(window)
        , window(window)
    {
        for (QScreen *screen : QGuiApplication::screens())
            follow(screen);
        connect(qApp, &QGuiApplication::screenAdded, this, &ScreenFollow::follow);
        // The window system moves a window whose screen went away onto another.
        connect(qApp, &QGuiApplication::screenRemoved, this, &ScreenFollow::refit, Qt::QueuedConnection);
    }

private:
    void follow(QScreen *screen)
    {
        connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFollow::refit, Qt::QueuedConnection);
    }

    void refit()
    {
        if (window->isVisible())
            moveOntoScreen(window);
    }

    QWidget *window;
};

} // namespace

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
    // On Wayland the compositor alone places windows.
    if (!QGuiApplication::platformName().startsWith(u"wayland")) {
        new FrameFit(window);
        new ScreenFollow(window);
    }
}

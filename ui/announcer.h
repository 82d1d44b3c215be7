#pragma once

#include <QWidget>

// Tells a screen reader what a press changed, without moving the keyboard
// focus: the text becomes the name of an object of role Notification, which
// is shown for an instant, and screen readers speak a notification as it
// appears. It paints nothing, is hidden again before the window is next
// painted, and takes neither focus nor clicks; unless assistive technology
// listens, it only keeps the text.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *window);

    void say(const QString &text);
    // Says what a screen reader calls `control` now.
    void sayNameOf(QWidget *control);
    static QString nameOf(QWidget *control);

signals:
    void said(const QString &text);
};

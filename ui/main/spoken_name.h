#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// What a screen reader calls a control whose state changes, as the control's
// row in the layout table gives it: fixed words, then the state that another
// control (or the control itself) shows at the moment. It rides along with
// the control as a child object, so it lives exactly as long as the control.
class SpokenName : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Mark,   // `shownBy` is a space button: the car its caption names, or an empty space
        Parked, // `shownBy` is a car picture: while it shows, the car of the control's own caption
        Count,  // `shownBy` is a count label: the count it shows
        Result, // `shownBy` is a log cell: the result it holds, or that none was rolled yet
    };

    // Attach before the control is given a caption: assistive technology
    // settles how it names a control the first time it hears of it.
    static void attach(QWidget *control, const QString &words, State state, const QWidget *shownBy);
    static const SpokenName *of(const QObject *control);

    const QString words;
    const State state;
    const QPointer<const QWidget> shownBy;

private:
    SpokenName(QWidget *control, const QString &words, State state, const QWidget *shownBy);
};

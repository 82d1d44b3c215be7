#pragma once

#include <QWidget>

// One of the program's windows: a title bar with its system menu, minimise
// and close boxes, and no maximise box, as the windows keep their size. Its
// Form_Activate runs on each activation by the window system, and on the
// first showing, which counts even where the window manager does not give a
// newly shown window the focus.
class ProgramWindow : public QWidget
{
public:
    explicit ProgramWindow(QWidget *parent = nullptr);
    virtual void Form_Activate() = 0;

protected:
    bool event(QEvent *event) override;

private:
    bool shown = false;
};

// Shows a window in front and active, also where the user minimised it or
// something else took it off the screen. It opens framed at its own size,
// also where the platform shows a window full screen (in the browser, where
// QWidget::show() does that).
void showInFront(QWidget *window);

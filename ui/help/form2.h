#pragma once

#include "ui/window_activation.h"

class QPushButton;
class PrintPicture;

// The help window: the problem and how to operate the main window, printed
// afresh each time the window becomes active. It holds nothing of the
// experiment. Closing it destroys it; the main window makes a new one.
class Form2 : public ProgramWindow
{
    Q_OBJECT

public:
    Form2();

    void Form_Activate() override;
    void Command1_Click();

    QPushButton *Command1 = nullptr;
    PrintPicture *Picture1 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
};

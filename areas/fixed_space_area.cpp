// The left parking area: car k always parks in space k. A press of the space's
// button parks its car or takes it out; nothing checks the rule.

#include "app/form1.h"
#include "ui/announcer.h"
#include "ui/main/picture_box.h"

#include <QPushButton>

QPushButton *Form1::fixedButton(int k) const
{
    QPushButton *const buttons[]
        = {ui.Command5, ui.Command6, ui.Command7, ui.Command8, ui.Command9, ui.Command10};
    return buttons[k - 1];
}

void Form1::pressFixedSpace(int k)
{
    fixedSpot(k) = static_cast<qint16>(-fixedSpot(k));
    if (fixedSpot(k) == 1)
        ui.car(k)->show();
    else
        ui.car(k)->hide();
    announcer->sayNameOf(fixedButton(k));
}

void Form1::Command5_Click() { pressFixedSpace(1); }
void Form1::Command6_Click() { pressFixedSpace(2); }
void Form1::Command7_Click() { pressFixedSpace(3); }
void Form1::Command8_Click() { pressFixedSpace(4); }
void Form1::Command9_Click() { pressFixedSpace(5); }
void Form1::Command10_Click() { pressFixedSpace(6); }

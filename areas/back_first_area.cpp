// The right parking area: no car has a space of its own. Each press steps a
// space's button through the car numbers and blank; a click on a car picture
// takes that car out.

#include "app/form1.h"
#include "ui/announcer.h"
#include "ui/main/picture_box.h"

#include <QPushButton>

QPushButton *Form1::freeButton(int k) const
{
    QPushButton *const buttons[]
        = {ui.Command15, ui.Command16, ui.Command17, ui.Command18, ui.Command19, ui.Command20};
    return buttons[k - 1];
}

void Form1::pressFreeSpace(int k)
{
    if (freeSpot(k) < 7)
        freeSpot(k) = static_cast<qint16>(freeSpot(k) + 1);
    else
        freeSpot(k) = 1;
    freeButton(k)->setText(spaceMarks(freeSpot(k)));
    if (freeSpot(k) == 7)
        ui.car(6 + k)->hide();
    else
        ui.car(6 + k)->show();
    announcer->sayNameOf(freeButton(k));
}

void Form1::Command15_Click() { pressFreeSpace(1); }
void Form1::Command16_Click() { pressFreeSpace(2); }
void Form1::Command17_Click() { pressFreeSpace(3); }
void Form1::Command18_Click() { pressFreeSpace(4); }
void Form1::Command19_Click() { pressFreeSpace(5); }
void Form1::Command20_Click() { pressFreeSpace(6); }

void Form1::car_Click(qint16 Index)
{
    // Every picture click, in either area, restarts all six cycles; the
    // other buttons keep their captions until they are next pressed.
    for (int k = 1; k <= 6; ++k)
        freeSpot(k) = 7;
    ui.car(Index)->hide();
    if (Index >= 7 && Index <= 12)
        freeButton(Index - 6)->setText(QString());
    // The space the car left, as its button now names it.
    announcer->sayNameOf(Index <= 6 ? fixedButton(Index) : freeButton(Index - 6));
}

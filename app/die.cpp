// The die: a run of faces for show, then a random result written into the log.

#include "app/form1.h"
#include "ui/main/picture_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cmath>

void Form1::Command4_Click()
{
    ui.Command2->setEnabled(false);
    ui.Command4->setEnabled(false);
    ui.Command1->setEnabled(true);
    ui.Timer1->start();
}

void Form1::Timer1_Timer()
{
    ui.Image1(animFace)->hide();
    animFace = static_cast<qint16>(animFace + 1);
    if (animFace > 6)
        animFace = 1;
    ui.Image1(animFace)->show();
}

void Form1::Command1_Click()
{
    ui.Command1->setEnabled(false);
    ui.Command2->setEnabled(true);
    ui.Command4->setEnabled(true);
    for (int loopIndex = 1; loopIndex <= 6; ++loopIndex)
        ui.Image1(loopIndex)->hide();
    random.randomize();
    const float r = random.next();
    // Formed in double, where r * 6 + 1 is exact, so r below 1 never gives 7.
    diceValue = static_cast<qint16>(std::floor(double(r) * 6.0 + 1.0));
    ui.Labme(rollCount)->setText(numberText(diceValue));
    ui.Image1(diceValue)->showAtRest();
    if (rollCount >= 40) {
        ui.Command4->setEnabled(false);
        rollCount = 40;
    } else {
        rollCount = static_cast<qint16>(rollCount + 1);
    }
    ui.Timer1->stop();
}

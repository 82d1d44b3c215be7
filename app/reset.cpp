// Reset: a new experiment without restarting the program.

#include "app/form1.h"
#include "ui/announcer.h"
#include "ui/main/picture_box.h"

#include <QLabel>
#include <QPushButton>

void Form1::Command2_Click()
{
    giveCue(QStringLiteral("pinpon.wav"));
    diceValue = 1;
    animFace = 1;
    rollCount = 1;
    fixedMoves = 0;
    freeMoves = 0;
    ui.Label11->setText(numberText(fixedMoves));
    ui.Label15->setText(numberText(freeMoves));
    fixedSpot.fill(-1);
    for (int loopIndex = 1; loopIndex <= 12; ++loopIndex)
        ui.car(loopIndex)->hide();
    for (int loopIndex = 1; loopIndex <= 6; ++loopIndex)
        ui.Image1(loopIndex)->hide();
    ui.Image1(diceValue)->showAtRest();
    for (int loopIndex = 1; loopIndex <= 40; ++loopIndex)
        ui.Labme(loopIndex)->setText(QString());
    ui.Command1->setEnabled(false);
    ui.Command4->setEnabled(true);
    for (QPushButton *button :
         {ui.Command15, ui.Command16, ui.Command17, ui.Command18, ui.Command19, ui.Command20})
        button->setText(QString());
    freeSpot.fill(0);
    announcer->say(QStringLiteral("初期化しました"));
}

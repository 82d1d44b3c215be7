// The die: a run of faces for show, then a random result written into the log.

#include "app/form1.h"
#include "ui/announcer.h"
#include "ui/main/picture_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

// Where the keyboard focus was, it goes on with the button that takes over
// (otherwise Qt would hand it on along the keyboard order, to quit or to a
// counter); a mouse user sees only the focus frame move. After the fortieth
// result it goes to HELP: a pupil who keeps pressing Space in the rhythm of
// roll and stop then only opens and closes the help window, where on reset,
// a counter or a space button the next press would change the record, and
// on quit two presses would end the program.

void Form1::Command4_Click()
{
    const bool keyboardHere = ui.Command4->hasFocus();
    ui.Command2->setEnabled(false);
    ui.Command4->setEnabled(false);
    ui.Command1->setEnabled(true);
    ui.Timer1->start();
    if (keyboardHere)
        ui.Command1->setFocus();
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
    const bool keyboardHere = ui.Command1->hasFocus();
    const qint16 cell = rollCount;
    ui.Command1->setEnabled(false);
    ui.Command2->setEnabled(true);
    ui.Command4->setEnabled(true);
    for (int loopIndex = 1; loopIndex <= 6; ++loopIndex)
        ui.Image1(loopIndex)->hide();
    random.randomize();
    diceValue = static_cast<qint16>(dieFace(random.next()));
    ui.Labme(rollCount)->setText(numberText(diceValue));
    ui.Image1(diceValue)->showAtRest();
    if (rollCount >= 40) {
        ui.Command4->setEnabled(false);
        rollCount = 40;
    } else {
        rollCount = static_cast<qint16>(rollCount + 1);
    }
    ui.Timer1->stop();
    QPushButton *next = ui.Command4->isEnabled() ? ui.Command4 : ui.Command21;
    if (keyboardHere)
        next->setFocus();
    QString result = QStringLiteral("出た目 %1、%2回目").arg(diceValue).arg(cell);
    if (cell >= 40)
        result += QStringLiteral("、記録はここまでです");
    if (keyboardHere && next == ui.Command21)
        result += QStringLiteral("、%1 が選ばれています").arg(Announcer::nameOf(next));
    announcer->say(result);
}

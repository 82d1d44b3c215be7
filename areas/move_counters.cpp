// The move counters: the user counts by hand how often cars were moved aside.

#include "app/form1.h"
#include "ui/announcer.h"

#include <QLabel>
#include <QPushButton>

#include <limits>

namespace {

// A count holds at most 32767; a further "up" leaves it there.
void countUp(qint16 &count, QLabel *label)
{
    if (count < std::numeric_limits<qint16>::max())
        count = static_cast<qint16>(count + 1);
    label->setText(numberText(count));
}

void countDown(qint16 &count, QLabel *label)
{
    if (count > 0)
        count = static_cast<qint16>(count - 1);
    label->setText(numberText(count));
}

} // namespace

// After each press the arrow's name, which carries the count, is said.
void Form1::Command11_Click()
{
    countUp(fixedMoves, ui.Label11);
    announcer->sayNameOf(ui.Command11);
}

void Form1::Command12_Click()
{
    countDown(fixedMoves, ui.Label11);
    announcer->sayNameOf(ui.Command12);
}

void Form1::Command13_Click()
{
    countDown(freeMoves, ui.Label15);
    announcer->sayNameOf(ui.Command13);
}

void Form1::Command14_Click()
{
    countUp(freeMoves, ui.Label15);
    announcer->sayNameOf(ui.Command14);
}

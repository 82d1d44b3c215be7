// The move counters: the user counts by hand how often cars were moved aside.

#include "app/form1.h"

#include <QLabel>

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

void Form1::Command11_Click() { countUp(fixedMoves, ui.Label11); }
void Form1::Command12_Click() { countDown(fixedMoves, ui.Label11); }
void Form1::Command13_Click() { countDown(freeMoves, ui.Label15); }
void Form1::Command14_Click() { countUp(freeMoves, ui.Label15); }

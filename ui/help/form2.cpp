#include "ui/help/form2.h"

#include "ui/button_keys.h"
#include "ui/fonts.h"
#include "ui/help/help_text.h"
#include "ui/help/print_picture.h"
#include "ui/pictures.h"
#include "ui/screen_fit.h"
#include "ui/twips.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>

Form2::Form2()
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose); // closing unloads the window
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral(" ソラミネの実験＿ヘルプ（設問と操作方法）"));
    setWindowIcon(programIcon());
    placeOnScreen(this, twipsRect(3090, 1665, 9255, 8655));

    // Made first, so that it comes first in the keyboard order and has the focus.
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(8400, 0, 735, 375));
    Command1->setFont(mappedFont(9));
    Command1->setAutoDefault(false);

    Picture1 = new PrintPicture(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 480, 9015, 8055));
    Picture1->setFont(mappedFont(windowFontPoints));
    // Second in the keyboard order, so a screen reader can read it line by line.
    Picture1->setFocusPolicy(Qt::TabFocus);

    setTabOrder(Command1, Picture1);
    pressButtonsWithKeys(this);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Form_Activate()
{
    Picture1->cls();
    for (const QString &line : helpLines())
        Picture1->print(line);
}

void Form2::Command1_Click() { close(); }

void Form2::paintEvent(QPaintEvent *)
{
    // The rule under the close button's band; the button covers its right end.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(twipsToPixels(9120), twipsToPixels(360), twipsToPixels(120), twipsToPixels(360));
}

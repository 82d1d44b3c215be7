// Sound cues, the HELP button and the quit question.

#include "app/form1.h"
#include "sound/mm_control.h"
#include "ui/help/form2.h"
#include "ui/window_activation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

void Form1::giveCue(const QString &file)
{
    MMControl1->setCommand(QStringLiteral("Stop"));
    MMControl1->setCommand(QStringLiteral("Close"));
    MMControl1->setFileName(file);
    MMControl1->setCommand(QStringLiteral("Open"));
    MMControl1->setCommand(QStringLiteral("Sound"));
}

void Form1::Command21_Click()
{
    giveCue(QStringLiteral("pinpon.wav"));
    if (!help)
        help = new Form2; // no owner: it lives beside the main window
    showInFront(help);
}

void Form1::Command3_Click()
{
    giveCue(QStringLiteral("endpinpon.wav"));
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("ソラミネの実験"),
                         QStringLiteral("終了していいですか？"), QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("quitQuestion"));
    QPushButton *yes = question.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    QPushButton *no = question.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yes"));
    no->setObjectName(QStringLiteral("no"));
    question.setDefaultButton(yes);
    question.setEscapeButton(no);
    question.exec();
    if (question.clickedButton() == yes) {
        // Every window closes, the help window too, and no handler runs after this.
        ui.Timer1->stop();
        QApplication::closeAllWindows();
        QApplication::exit(0);
    }
}

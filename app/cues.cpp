// Sound cues, the HELP button and the quit question.

#include "app/form1.h"
#include "app/mm_control.h"
#include "ui/help/form2.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

void Form1::giveCue(const QString &file)
{
    ui.MMControl1->setCommand(QStringLiteral("Stop"));
    ui.MMControl1->setCommand(QStringLiteral("Close"));
    ui.MMControl1->setFileName(file);
    ui.MMControl1->setCommand(QStringLiteral("Open"));
    ui.MMControl1->setCommand(QStringLiteral("Sound"));
}

void Form1::Command21_Click()
{
    giveCue(QStringLiteral("pinpon.wav"));
    if (!help)
        help = new Form2; // no owner: it lives beside the main window
    help->show();
    help->raise();
    help->activateWindow();
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

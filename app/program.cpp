#include "app/program.h"

#include "app/form1.h"
#include "sound/mm_control.h"
#include "ui/focus_frame.h"
#include "ui/fonts.h"
#include "ui/main/accessibility.h"

#include <QApplication>

int runProgram(int argc, char *argv[], const std::function<void(Form1 &)> &beforeShow)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parking-dice"));
    QApplication::setDesktopFileName(QStringLiteral(PARKING_APP_ID));
    installFontSubstitutes();
    installAccessibleNames();
    installFocusFrameStyle();

    Form1 form;
    if (beforeShow)
        beforeShow(form);
    form.show();
    form.activateWindow();
    const int status = QApplication::exec();
    // The sound thread ends before the application: its player and its
    // connection to the sound server go in order.
    form.soundDevice()->finish();
    return status;
}

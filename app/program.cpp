#include "app/program.h"

#include "app/form1.h"
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
    // The window, and with it the sound thread, ends before the application.
    return QApplication::exec();
}

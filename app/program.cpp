#include "app/program.h"

#include "app/form1.h"
#include "sound/mm_control.h"
#include "ui/fonts.h"
#include "ui/main/accessibility.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int runProgram(int argc, char *argv[], const std::function<void(Form1 &)> &beforeShow)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parking-dice"));
    QApplication::setDesktopFileName(QStringLiteral(PARKING_APP_ID));
    installFontSubstitutes();
    installAccessibleNames();

    Form1 form;
    if (beforeShow)
        beforeShow(form);
    form.show();
    form.activateWindow();
    const int status = QApplication::exec();
    // A sound server that stopped answering holds the sound thread inside the
    // audio libraries, and tearing those down would wait on it as well: the
    // user asked to quit, nothing is saved, so leave at once.
    if (!form.soundDevice()->finish(std::chrono::milliseconds(700))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

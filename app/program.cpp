#include "app/program.h"

#include "app/form1.h"
#include "sound/mm_control.h"
#include "ui/focus_frame.h"
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
    installFocusFrameStyle();

    Form1 form;
    if (beforeShow)
        beforeShow(form);
    form.show();
    form.activateWindow();
    const int status = QApplication::exec();
    // The program leaves without tearing down the audio libraries: with a
    // sound server that stopped answering, the sound thread is held inside
    // them and tearing them down would wait on it as well; and even after a
    // clean end of the thread, the sound server client's own teardown at exit
    // was seen to abort on an assertion after many quick cues. The user asked
    // to quit and nothing is saved, so the sound thread is ended (or given up
    // after a moment) and the process ends at once.
    form.soundDevice()->finish(std::chrono::milliseconds(700));
    std::fflush(nullptr);
    std::_Exit(status);
}

#include "app/program.h"

#include "app/form1.h"
#include "ui/focus_frame.h"
#include "ui/fonts.h"
#include "ui/main/accessibility.h"

#include <QApplication>

#ifdef Q_OS_WASM
#include <emscripten.h>

namespace {

// In the browser exec() hands the page back to the browser and never returns:
// the program ends once its main window has closed (after はい), and the page
// then says so, and how to start it again.
class EndWithWindow : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // From the browser's own timer, after the handler: Qt's event loop
        // has stopped by then.
        if (event->type() == QEvent::Close)
            emscripten_async_call([](void *) { emscripten_force_exit(0); }, nullptr, 0);
        return false;
    }
};

} // namespace
#endif

int runProgram(int argc, char *argv[], const std::function<void(Form1 &)> &beforeShow)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parking-dice"));
    QApplication::setDesktopFileName(QStringLiteral(PARKING_APP_ID));
    installFontSubstitutes();
    installAccessibleNames();
    installFocusFrameStyle();

    Form1 form;
#ifdef Q_OS_WASM
    EndWithWindow ending;
    form.installEventFilter(&ending);
#endif
    if (beforeShow)
        beforeShow(form);
    // Shown the platform's way: in the browser, where the page is the
    // program's screen, the main window fills the page without a frame; the
    // help window and the quit question open framed over it.
    form.show();
    form.activateWindow();
    // The window, and with it the sound thread, ends before the application.
    return QApplication::exec();
}

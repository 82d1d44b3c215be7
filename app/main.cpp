#include "app/bench_probe.h"
#include "app/form1.h"
#include "ui/main/accessibility.h"
#include "ui/main/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parking-dice"));
    QApplication::setDesktopFileName(QStringLiteral(PARKING_APP_ID));
    installFontSubstitutes();
    installAccessibleNames();

    Form1 form;
    installBenchProbe(&form, form.controls().Timer1);
    form.show();
    form.activateWindow();
    return QApplication::exec();
}

#include "app/form1.h"
#include "ui/main/accessibility.h"
#include "ui/main/fonts.h"
#include "ui/main/pictures.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("parking-dice"));
    QApplication::setDesktopFileName(QStringLiteral(PARKING_APP_ID));
    QApplication::setWindowIcon(programIcon());
    installFontSubstitutes();
    installAccessibleNames();

    Form1 form;
    form.show();
    form.activateWindow();
    return QApplication::exec();
}

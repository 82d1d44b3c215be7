// Prints the main window's controls as its layout builds them, one a line:
// NAME LEFT TOP WIDTH HEIGHT, in pixels of the client area. The end-to-end
// tests read it to find a control by its name instead of typing its place.

#include "ui/main/form1_layout.h"

#include <QApplication>
#include <QTextStream>
#include <QWidget>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget form;
    buildForm1(&form);
    QTextStream out(stdout);
    for (const QWidget *control : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect place = control->geometry();
        out << control->objectName() << ' ' << place.x() << ' ' << place.y() << ' ' << place.width() << ' '
            << place.height() << '\n';
    }
    return 0;
}

// Prints the windows' controls as their layouts build them, one a line:
// NAME LEFT TOP WIDTH HEIGHT, in pixels of the window's client area; the
// help window's controls as Form2.NAME. The end-to-end tests read it to find
// a control by its name instead of typing its place. The windows' own client
// areas come first, as Form1 and Form2.

#include "ui/help/form2.h"
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
    Form2 help;
    QTextStream out(stdout);
    const QSize main = form1Geometry().size();
    out << "Form1 0 0 " << main.width() << ' ' << main.height() << '\n';
    out << "Form2 0 0 " << help.width() << ' ' << help.height() << '\n';
    for (const auto &[window, prefix] :
         {std::pair<QWidget *, QString>(&form, {}), {&help, QStringLiteral("Form2.")}})
        for (const QWidget *control : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QRect place = control->geometry();
            out << prefix << control->objectName() << ' ' << place.x() << ' ' << place.y() << ' '
                << place.width() << ' ' << place.height() << '\n';
        }
    return 0;
}

// The floor the program is measured against: the smallest Qt Widgets program
// with a window of the same size, one label in the same font and a 32 x 32
// picture swapped by a 10 ms timer.

#include "bench/bench_probe.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();

    QWidget window;
    window.setGeometry(257, 99, 490, 608);
    window.setFixedSize(490, 608);
    window.setWindowTitle(QStringLiteral("baseline"));

    QLabel text(QStringLiteral("ソラミネの実験"), &window);
    text.setFont(mappedFont(15.75, true));
    text.setGeometry(128, 0, 233, 25);

    QPixmap faces[2] = {QPixmap(32, 32), QPixmap(32, 32)};
    faces[0].fill(Qt::white);
    faces[1].fill(Qt::red);
    QLabel picture(&window);
    picture.setGeometry(384, 256, 32, 32);
    picture.setPixmap(faces[0]);

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(10);
    int shown = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] { picture.setPixmap(faces[shown ^= 1]); });
    timer.start();

    installBenchProbe(&window, &timer);
    window.show();
    return QApplication::exec();
}

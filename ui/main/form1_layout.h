#pragma once

#include "ui/twips.h"
#include "ui/vb_array.h"

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;
class QWidget;
class DieFace;
class PictureBox;

// The main window's controls, as the builder hands them over.
struct Form1Ui
{
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr, *Command12 = nullptr,
                *Command13 = nullptr, *Command14 = nullptr, *Command15 = nullptr, *Command16 = nullptr,
                *Command17 = nullptr, *Command18 = nullptr, *Command19 = nullptr, *Command20 = nullptr,
                *Command21 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr,
           *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr;
    VbArray<QLabel *, 0, 39> Lab;     // the numbers above the log cells
    VbArray<QLabel *, 1, 40> Labme;   // the log cells
    VbArray<PictureBox *, 1, 12> car; // 1 to 6 fixed-space area, 7 to 12 back-first area
    VbArray<DieFace *, 1, 6> Image1;  // the faces of the one die picture
    QTimer *Timer1 = nullptr;
};

// Client area of the main window and where it opens on the screen.
QRect form1Geometry();

// Creates every control of the main window as a child of `form`, places it,
// names it and gives it its opening state. The lines are not widgets: the
// window paints them (paintForm1Lines) behind all controls.
Form1Ui buildForm1(QWidget *form);

class QColor;
class QPainter;
// Whether any line of the layout reaches into `area`, and painting those that do.
bool form1LinesReach(const QRect &area);
void paintForm1Lines(QPainter &painter, const QColor &ink, const QRect &area);

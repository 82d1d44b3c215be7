#pragma once

#include <QImage>
#include <QPixmap>

// The program's own pictures, made in memory; no image file is read.
QImage carImage();             // 22 x 32, a car seen from above, lamps at the top
QImage dieFaceImage(int pips); // the face with 1 to 6 pips, at its own size
QImage iconImage();            // 32 x 32, the car drawn wider

QPixmap carPixmap();
QPixmap dieFacePixmap(int pips);
QIcon programIcon();

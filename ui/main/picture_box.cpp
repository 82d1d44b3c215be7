#include "ui/main/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(const QPixmap &picture, QWidget *parent)
    : QLabel(parent)
{
    setPixmap(picture); // also what assistive technology sees: a graphic
    setFixedSize(picture.size());
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pressed = true;
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button, both on the picture.
    const bool click
        = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    // Pixel for pixel: on a scaled screen each picture pixel becomes a block of
    // one colour, never a smoothed blend.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), pixmap());
}

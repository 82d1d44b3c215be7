#include "ui/main/picture_box.h"

#include "ui/pictures.h"

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

DieFace::DieFace(int pips, DiePicture *die)
    : QObject(die)
    , die(die)
    , facePips(pips)
    , picture(dieFacePixmap(pips))
{
    setObjectName(QStringLiteral("Image1%1").arg(pips));
}

bool DieFace::isVisible() const { return shown && die->isVisible(); }

void DieFace::setVisible(bool visible)
{
    if (visible == shown)
        return;
    shown = visible;
    die->update(QRect(QPoint(0, 0), picture.size())); // only this face's pixels can change
}

void DieFace::showAtRest()
{
    show();
    die->setAccessibleName(QStringLiteral("サイコロの目 %1").arg(facePips));
}

DiePicture::DiePicture(QWidget *parent)
    : QLabel(parent)
{
    for (int pips = 1; pips <= 6; ++pips)
        faces.at(pips - 1) = new DieFace(pips, this);
    // The largest face sets the size; the pixmap makes it a graphic to
    // assistive technology, and is never painted as it is.
    QSize size;
    for (const DieFace *face : faces)
        size = size.expandedTo(face->size());
    setPixmap(face(1)->picture);
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
    // It paints every pixel of its own, so the window need not paint behind
    // it when a face changes.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QWidget *window = parentWidget() ? parentWidget() : this;
    painter.setBrushOrigin(-pos());
    painter.fillRect(rect(), window->palette().brush(window->backgroundRole()));
    // Pixel for pixel on a scaled screen, as PictureBox.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const DieFace *face : faces)
        if (face->shown)
            painter.drawPixmap(QRect(QPoint(0, 0), face->picture.size()), face->picture);
}

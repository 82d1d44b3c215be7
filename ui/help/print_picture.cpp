#include "ui/help/print_picture.h"

#include <QFontInfo>
#include <QPaintEvent>
#include <QPainter>

PrintPicture::PrintPicture(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// A line is one em of the font high, the height the layout allows for: with
// it all 34 lines of the help text fit the picture. (Gothic faces here report
// extra descent, which would push the last line off the picture.)
int PrintPicture::lineHeight() const { return QFontInfo(font()).pixelSize(); }

void PrintPicture::cls()
{
    // The image is kept at device resolution, so text stays sharp on a scaled screen.
    const qreal ratio = devicePixelRatioF();
    persistent = QImage(size() * ratio, QImage::Format_RGB32);
    persistent.setDevicePixelRatio(ratio);
    persistent.fill(Qt::white);
    currentY = 0;
    lines.clear();
    update();
}

void PrintPicture::print(const QString &line)
{
    if (persistent.isNull())
        cls();
    if (!line.isEmpty()) {
        QPainter painter(&persistent);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics metrics(font());
        painter.drawText(0, currentY + metrics.ascent(), line); // cut off at the right edge, never wrapped
    }
    lines.append(line);
    currentY += lineHeight();
    update();
}

void PrintPicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!persistent.isNull())
        painter.drawImage(0, 0, persistent);
}

#include "ui/help/print_picture.h"

#include "ui/focus_frame.h"
#include "ui/help/printed_text.h"

#include <QAccessible>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

PrintPicture::PrintPicture(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A screen reader gets the printed lines as text, not the pixels.
    static const bool readable = [] {
        QAccessible::installFactory(printedText);
        return true;
    }();
    Q_UNUSED(readable);
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
    caret = 0;
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
    drawFocusFrame(&painter, this);
}

void PrintPicture::setCaretLine(int line)
{
    caret = std::clamp(line, 0, std::max(0, int(lines.size()) - 1));
    QAccessibleTextCursorEvent moved(this, caretOffset());
    QAccessible::updateAccessibility(&moved);
}

int PrintPicture::caretOffset() const
{
    int offset = 0;
    for (int line = 0; line < caret && line < lines.size(); ++line)
        offset += int(lines[line].size()) + 1;
    return offset;
}

void PrintPicture::keyPressEvent(QKeyEvent *event)
{
    const int page = std::max(1, height() / std::max(1, lineHeight()) - 1);
    switch (event->key()) {
    case Qt::Key_Up:
        setCaretLine(caret - 1);
        break;
    case Qt::Key_Down:
        setCaretLine(caret + 1);
        break;
    case Qt::Key_PageUp:
        setCaretLine(caret - page);
        break;
    case Qt::Key_PageDown:
        setCaretLine(caret + page);
        break;
    case Qt::Key_Home:
        setCaretLine(0);
        break;
    case Qt::Key_End:
        setCaretLine(int(lines.size()) - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

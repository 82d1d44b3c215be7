#pragma once

#include <QImage>
#include <QWidget>

// A white picture that is printed into line by line. What is printed stays in
// its own image, so covering, uncovering or minimising the window never loses
// it; only cls() clears it.
class PrintPicture : public QWidget
{
    Q_OBJECT

public:
    explicit PrintPicture(QWidget *parent = nullptr);

    void cls();                      // white again, print position at the top left
    void print(const QString &line); // one line at the print position, then a line break
    int printY() const { return currentY; }
    int lineHeight() const;
    const QImage &image() const { return persistent; }
    QStringList printedLines() const { return lines; }

    // A caret for reading with the keyboard, a line at a time; it is not
    // drawn. Up, Down, Page Up, Page Down, Home and End move it.
    int caretLine() const { return caret; }
    void setCaretLine(int line);
    int caretOffset() const; // in the printed lines joined by line breaks

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage persistent;
    int currentY = 0;
    QStringList lines;
    int caret = 0;
};

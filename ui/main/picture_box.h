#pragma once

#include <QLabel>

// A picture at its natural size that reports a click, like a car standing in a
// space. A hidden picture gets no mouse events, so it is never clicked.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(const QPixmap &picture, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool pressed = false;
};

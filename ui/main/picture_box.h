#pragma once

#include <QLabel>
#include <QPixmap>

#include <array>

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

class DiePicture;

// One face of the die, shown and hidden like a picture of its own. The faces
// are painted by their die picture, so that a run of the die changes pixels
// and nothing else: no control is shown or hidden a hundred times a second.
class DieFace : public QObject
{
    Q_OBJECT

public:
    DieFace(int pips, DiePicture *die);

    bool isVisible() const;
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Shows the face as the result at rest, and names the die after it for
    // assistive technology (not while it runs: a name a hundred times a
    // second would only be noise).
    void showAtRest();
    QSize size() const { return picture.size(); }

private:
    friend class DiePicture;
    DiePicture *die;
    const int facePips;
    const QPixmap picture;
    bool shown = false;
};

// The six faces on their one spot, each higher face in front of the lower
// ones; where no face covers the spot, the window's background shows.
class DiePicture : public QLabel
{
    Q_OBJECT

public:
    explicit DiePicture(QWidget *parent = nullptr);

    DieFace *face(int pips) const { return faces.at(pips - 1); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<DieFace *, 6> faces{};
};

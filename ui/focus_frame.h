#pragma once

#include <QProxyStyle>

// The keyboard focus, seen from the back of a classroom: a frame of solid
// colour along the edge of the focused control, in place of the faint focus
// marks of the platform's style, shown from the start (the platform's style
// often waits for the first Tab). Everything else is drawn by the platform's
// own style, unchanged.
class FocusFrameStyle : public QProxyStyle
{
    Q_OBJECT

public:
    static constexpr int frameWidth = 3;

    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

    // A colour that stands out by at least 4.5:1 (luminance contrast) from
    // both the button face and the window background of the palette.
    static QColor frameColour(const QPalette &palette);
};

// Sets the focus frame over whatever style the application has now (the
// platform's own, or one chosen with -style); once, after QApplication is made.
void installFocusFrameStyle();

// Lets a focused widget that paints itself show the same frame.
void drawFocusFrame(QPainter *painter, const QWidget *widget);

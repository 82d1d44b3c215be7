#include "ui/focus_frame.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

double luminance(const QColor &colour)
{
    const auto linear
        = [](float c) { return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
           + 0.0722 * linear(colour.blueF());
}

// How far apart two colours are in luminance, from 1:1 to 21:1.
double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

QColor FocusFrameStyle::frameColour(const QPalette &palette)
{
    const QColor face = palette.color(QPalette::Button);
    const QColor background = palette.color(QPalette::Window);
    // The highlight colour, made darker on a light palette (lighter on a dark
    // one) until it stands out from both.
    const bool lightPalette = luminance(face) + luminance(background) > 0.4;
    QColor colour = palette.color(QPalette::Highlight);
    for (int step = 0;
         step < 32 && std::min(contrastRatio(colour, face), contrastRatio(colour, background)) < 4.5; ++step)
        colour = lightPalette ? colour.darker(115) : colour.lighter(115);
    if (std::min(contrastRatio(colour, face), contrastRatio(colour, background)) < 4.5)
        colour = lightPalette ? Qt::black : Qt::white;
    return colour;
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element != CE_PushButton || !button || !(option->state & State_HasFocus)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The button as the platform draws it without the focus, then the frame.
    QStyleOptionButton unfocused = *button;
    unfocused.state &= ~(State_HasFocus | State_KeyboardFocusChange);
    QProxyStyle::drawControl(element, &unfocused, painter, widget);
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(*option);
    proxy()->drawPrimitive(PE_FrameFocusRect, &frame, painter, widget);
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QRect edge = option->rect;
    const QColor colour = frameColour(option->palette);
    painter->save();
    painter->fillRect(edge.left(), edge.top(), edge.width(), frameWidth, colour);
    painter->fillRect(edge.left(), edge.bottom() - frameWidth + 1, edge.width(), frameWidth, colour);
    painter->fillRect(edge.left(), edge.top(), frameWidth, edge.height(), colour);
    painter->fillRect(edge.right() - frameWidth + 1, edge.top(), frameWidth, edge.height(), colour);
    painter->restore();
}

void installFocusFrameStyle()
{
    auto *style = new FocusFrameStyle(QApplication::style()->name());
    QApplication::setStyle(style);
}

void drawFocusFrame(QPainter *painter, const QWidget *widget)
{
    if (!widget->hasFocus())
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(widget);
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, widget);
}

#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

void installFontSubstitutes()
{
    // Windows has the face itself; elsewhere (and under Wine) it is missing.
    if (QFontDatabase::hasFamily(QString::fromUtf16(layoutFace)))
        return;
    QFont::insertSubstitutions(QString::fromUtf16(layoutFace),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("VL PGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("TakaoPGothic")});
}

QFont mappedFont(double points, bool bold)
{
    QFont font(QString::fromUtf16(layoutFace));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

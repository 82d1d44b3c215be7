#include "ui/fonts.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include <cmath>

namespace {
// Whether the program carries its own font (the browser has none of its own).
bool carriesFont = false;
} // namespace

void installFontSubstitutes()
{
    const QDir carried(QStringLiteral(":/fonts"));
    for (const QString &file : carried.entryList(QDir::Files))
        carriesFont |= QFontDatabase::addApplicationFont(carried.filePath(file)) >= 0;
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
    // A carried font, drawn without the system's font settings, gets the
    // light hinting that Debian's font settings give it on Linux, so that
    // its text looks the same there.
    if (carriesFont)
        font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

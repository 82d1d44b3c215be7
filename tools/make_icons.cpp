// Writes the program's icon as PNG files for the desktop, each size the one
// 32 x 32 map scaled by whole pixels:  make_icons FOLDER SIZE...
//   FOLDER/SIZExSIZE/apps/APP_ID.png, named after the desktop entry

#include "ui/pictures.h"

#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons FOLDER SIZE...\n");
        return 2;
    }
    const QImage icon = iconImage();
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size < icon.width() || size % icon.width() != 0) {
            std::fprintf(stderr, "make_icons: %s is not a whole multiple of %d\n", argv[i], icon.width());
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder))
            return 1;
        const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(folder + QStringLiteral("/" PARKING_APP_ID ".png")))
            return 1;
    }
    return 0;
}

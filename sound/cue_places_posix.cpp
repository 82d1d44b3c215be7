#include "sound/cue_places.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

bool isReadableFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode)
           && ::access(native.constData(), R_OK) == 0;
}

namespace {

// parking-dice/sounds in each data folder: $XDG_DATA_HOME (~/.local/share)
// first, then those of $XDG_DATA_DIRS (/usr/local/share:/usr/share) in order.
QStringList soundsIn(QStringList folders)
{
    for (QString &folder : folders)
        folder = QDir::cleanPath(folder + QStringLiteral("/parking-dice/sounds"));
    return folders;
}

} // namespace

QStringList userCueFolders()
{
    return soundsIn({QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)});
}

QStringList machineCueFolders()
{
    QStringList data = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    data.removeAll(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return soundsIn(data);
}

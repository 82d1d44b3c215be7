#include "sound/cue_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isReadableFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode)
           && ::access(native.constData(), R_OK) == 0;
}

} // namespace

QString besideProgram(const char *relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QString::fromUtf8(relative));
}

QString locateCue(const QString &name, QStringList *looked)
{
    if (name.isEmpty())
        return {};
    QStringList paths;
    if (QDir::isAbsolutePath(name)) {
        paths << name;
    } else {
        // The user's and the system's data folders ($XDG_DATA_HOME, then
        // $XDG_DATA_DIRS) come before the package's own folder, so that chimes
        // an administrator puts in /usr/local/share outlive an upgrade.
        QStringList folders{QDir::currentPath(), QCoreApplication::applicationDirPath()};
        for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            folders << QDir::cleanPath(data + QStringLiteral("/parking-dice/sounds"));
        folders << besideProgram(PARKING_SOUND_DIR_FROM_BIN);
        folders.removeDuplicates();
        for (const QString &folder : std::as_const(folders))
            paths << QDir(folder).filePath(name);
    }
    for (const QString &path : paths) {
        if (looked)
            looked->append(path);
        if (isReadableFile(path))
            return path;
    }
    return {};
}

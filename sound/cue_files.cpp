#include "sound/cue_files.h"

#include "sound/cue_places.h"

#include <QCoreApplication>
#include <QDir>

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
        // The user's and the machine's own cue folders come before the
        // installed ones, so that chimes an administrator puts there outlive
        // an upgrade.
        QStringList folders = QStringList{QDir::currentPath(), QCoreApplication::applicationDirPath()}
                              + userCueFolders() + machineCueFolders();
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

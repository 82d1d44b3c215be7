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
        const QStringList folders
            = QStringList{QDir::currentPath()} + userCueFolders()
              + QStringList{QCoreApplication::applicationDirPath(), besideProgram(PARKING_SOUND_DIR_FROM_BIN)}
              + machineCueFolders();
        for (const QString &folder : folders)
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

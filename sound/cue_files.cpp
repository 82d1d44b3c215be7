#include "sound/cue_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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
        for (const QString &folder : {QDir::currentPath(), QCoreApplication::applicationDirPath(),
                                      besideProgram(PARKING_SOUND_DIR_FROM_BIN)})
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

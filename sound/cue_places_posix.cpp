#include "sound/cue_places.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

bool isReadableFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode)
           && ::access(native.constData(), R_OK) == 0;
}

// The start folder and the program's own stand for the user's and the
// machine's here: a package installs the sounds for every user.
QStringList userCueFolders() { return {}; }

QStringList machineCueFolders() { return {}; }

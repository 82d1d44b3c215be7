#include "app/mm_control.h"

#include "app/cue_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

#include <sys/stat.h>

namespace {

bool isRegularFile(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// The folder beside the program that holds `relative`, as installed.
QString besideProgram(const char *relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QString::fromUtf8(relative));
}

// Loaded once, at the first cue, and kept for the rest of the program.
CreateCuePlayer *playerFactory()
{
    static CreateCuePlayer *factory = [] {
        static QLibrary module(besideProgram(PARKING_MODULE_DIR_FROM_BIN)
                               + QStringLiteral("/parking-dice-sound"));
        return reinterpret_cast<CreateCuePlayer *>(module.resolve(PARKING_CUE_PLAYER_ENTRY));
    }();
    return factory;
}

} // namespace

MMControl::MMControl(QObject *parent)
    : QObject(parent)
{}

MMControl::~MMControl() = default;

void MMControl::setFileName(const QString &name) { fileName = name; }

void MMControl::setCommand(const QString &command)
{
    if (command == u"Stop")
        stop();
    else if (command == u"Close")
        close();
    else if (command == u"Open")
        open();
    else if (command == u"Sound")
        sound();
    emit commandWritten(command);
}

QString MMControl::locate(const QString &name)
{
    if (name.isEmpty())
        return {};
    if (QDir::isAbsolutePath(name))
        return isRegularFile(name) ? name : QString();
    const QString folders[] = {QDir::currentPath(), QCoreApplication::applicationDirPath(),
                               besideProgram(PARKING_SOUND_DIR_FROM_BIN)};
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (isRegularFile(path))
            return path;
    }
    return {};
}

qint64 MMControl::openedFrames() const { return player ? player->frames() : 0; }

bool MMControl::sounding() const { return player && player->sounding(); }

void MMControl::stop()
{
    if (player)
        player->stop();
}

void MMControl::close()
{
    player.reset();
    opened.clear();
}

void MMControl::open()
{
    close();
    const QString path = locate(fileName);
    CreateCuePlayer *create = path.isEmpty() ? nullptr : playerFactory();
    if (!create)
        return;
    player.reset(create());
    if (player->open(path))
        opened = path;
    else
        close();
}

void MMControl::sound()
{
    if (player && !opened.isEmpty())
        player->sound();
}

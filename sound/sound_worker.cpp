#include "sound/sound_worker.h"

#include "sound/cue_files.h"
#include "sound/cue_module.h"
#include "sound/sound_log.h"

SoundWorker::SoundWorker(std::shared_ptr<SoundChannel> channel)
    : channel(std::move(channel))
{}

SoundWorker::~SoundWorker() = default;

void SoundWorker::drain()
{
    for (;;) {
        channel->wakePending.store(false);
        std::optional<SoundCommand> next;
        {
            QMutexLocker locked(&channel->lock);
            next = channel->queue.take();
        }
        if (!next)
            break;
        channel->busyWith.store(next->kind);
        channel->busySince.store(channel->now());
        carryOut(*next);
        channel->busySince.store(-1);
    }
}

void SoundWorker::prepare()
{
    if (cueModule().prepareOutput)
        cueModule().prepareOutput();
}

// The player and the connection to the sound server go in order, on the
// sound thread.
void SoundWorker::shutDown()
{
    player.reset();
    if (cueModule().releaseOutput)
        cueModule().releaseOutput();
}

void SoundWorker::carryOut(const SoundCommand &command)
{
    switch (command.kind) {
    case SoundCommand::Stop:
        if (player)
            player->stop();
        break;
    case SoundCommand::Close:
        close();
        break;
    case SoundCommand::FileName:
        fileName = command.fileName;
        break;
    case SoundCommand::Open:
        open();
        break;
    case SoundCommand::Sound:
        sound(command);
        break;
    }
}

void SoundWorker::close()
{
    player.reset();
    opened.clear();
}

void SoundWorker::open()
{
    close();
    QStringList looked;
    const QString path = locateCue(fileName, &looked);
    if (path.isEmpty()) {
        qCDebug(soundLog) << "not heard:" << fileName << "is no readable file in" << looked;
        return;
    }
    if (!cueModule().createPlayer)
        return;
    player.reset(cueModule().createPlayer());
    QString why;
    if (player->open(path, why)) {
        opened = path;
    } else {
        qCDebug(soundLog) << "not heard:" << path << "refused:" << why;
        close();
    }
}

void SoundWorker::sound(const SoundCommand &command)
{
    if (!player || opened.isEmpty())
        return;
    if (CueQueue::isLate(command, channel->now())) {
        qCDebug(soundLog) << "not heard:" << opened << "dropped as late,"
                          << channel->now() - command.writtenAt << "ms after its press";
        return;
    }
    QString why;
    if (!player->sound(why))
        qCDebug(soundLog) << "not heard:" << opened << why;
}

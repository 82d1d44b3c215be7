#include "sound/mm_control.h"

#include "sound/sound_log.h"
#include "sound/sound_worker.h"

#include <QThread>

MMControl::MMControl(QObject *parent)
    : QObject(parent)
    , channel(std::make_shared<SoundChannel>())
{}

MMControl::~MMControl() { finish(); }

void MMControl::setFileName(const QString &name) { write(SoundCommand::FileName, name); }

void MMControl::setCommand(const QString &command)
{
    static const QString names[] = {QStringLiteral("Stop"), QStringLiteral("Close"), QString(),
                                    QStringLiteral("Open"), QStringLiteral("Sound")};
    for (int kind : {SoundCommand::Stop, SoundCommand::Close, SoundCommand::Open, SoundCommand::Sound})
        if (command == names[kind])
            write(kind);
    emit commandWritten(command);
}

void MMControl::write(int kind, const QString &fileName)
{
    startThread();
    noteStuck();
    {
        QMutexLocker locked(&channel->lock);
        channel->queue.push({SoundCommand::Kind(kind), fileName, channel->now(), ++writes});
    }
    if (!channel->wakePending.exchange(true))
        QMetaObject::invokeMethod(worker, &SoundWorker::drain, Qt::QueuedConnection);
}

void MMControl::noteStuck()
{
    const qint64 since = channel->busySince.load();
    const bool stuck = since >= 0 && channel->now() - since > CueQueue::lateAfterMs;
    if (stuck && !stuckNoted) {
        static const char *const doing[] = {"Stop", "Close", "file name", "Open", "Sound"};
        const int kind = channel->busyWith.load();
        qCDebug(soundLog) << "device stuck for" << channel->now() - since << "ms in" << doing[kind]
                          << "; newer cues replace waiting ones";
    }
    stuckNoted = stuck;
}

void MMControl::startThread()
{
    if (thread)
        return;
    thread = new QThread(this);
    thread->setObjectName(QStringLiteral("sound"));
    worker = new SoundWorker(channel);
    worker->moveToThread(thread);
    connect(worker, &SoundWorker::reported, this,
            [this](quint64 lastWrite, const QString &file, qint64 fileFrames) {
                reportedWrite = lastWrite;
                opened = file;
                frames = fileFrames;
            });
    thread->start();
}

void MMControl::finish()
{
    if (!thread)
        return;
    QMetaObject::invokeMethod(worker, &SoundWorker::shutDown, Qt::QueuedConnection);
    thread->wait();
    delete worker;
    delete thread;
    worker = nullptr;
    thread = nullptr;
}

#include "sound/mm_control.h"

#include "sound/sound_log.h"
#include "sound/sound_worker.h"

#include <QCoreApplication>
#include <QThread>

#include <functional>

namespace {

// Calls `then` once, at the first sign of a user of the program.
class FirstInput : public QObject
{
public:
    explicit FirstInput(std::function<void()> then)
        : then(std::move(then))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::TouchBegin:
            QCoreApplication::instance()->removeEventFilter(this);
            if (then)
                std::exchange(then, nullptr)();
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> then;
};

} // namespace

MMControl::MMControl()
    : channel(std::make_shared<SoundChannel>())
{
    if (QCoreApplication::instance())
        firstInput = std::make_unique<FirstInput>([this] { prepare(); });
}

MMControl::~MMControl()
{
    firstInput.reset();
    finish();
}

void MMControl::setFileName(const QString &name) { write(SoundCommand::FileName, name); }

void MMControl::setCommand(const QString &command)
{
    for (int kind : {SoundCommand::Stop, SoundCommand::Close, SoundCommand::Open, SoundCommand::Sound})
        if (command == QLatin1String(SoundCommand::names[kind]))
            write(kind);
}

void MMControl::prepare()
{
    startThread();
    QMetaObject::invokeMethod(worker, &SoundWorker::prepare, Qt::QueuedConnection);
}

void MMControl::write(int kind, const QString &fileName)
{
    startThread();
    noteStuck();
    {
        QMutexLocker locked(&channel->lock);
        channel->queue.push({SoundCommand::Kind(kind), fileName, channel->now()});
    }
    if (!channel->wakePending.exchange(true))
        QMetaObject::invokeMethod(worker, &SoundWorker::drain, Qt::QueuedConnection);
}

void MMControl::noteStuck()
{
    const qint64 since = channel->busySince.load();
    const bool stuck = since >= 0 && channel->now() - since > cueBoundMs;
    if (stuck && !stuckNoted) {
        qCDebug(soundLog) << "device stuck for" << channel->now() - since << "ms in"
                          << SoundCommand::names[channel->busyWith.load()]
                          << "; newer cues replace waiting ones";
    }
    stuckNoted = stuck;
}

// Where the platform has no threads (the browser), the worker lives on the
// window's thread and carries out the writes from its event loop, after the
// handler that wrote them: the player there waits on nothing either.
void MMControl::startThread()
{
    if (worker)
        return;
    worker = new SoundWorker(channel);
#if QT_CONFIG(thread)
    thread = std::make_unique<QThread>();
    thread->setObjectName(QStringLiteral("sound"));
    worker->moveToThread(thread.get());
    thread->start();
#endif
}

void MMControl::finish()
{
    if (!worker)
        return;
#if QT_CONFIG(thread)
    QMetaObject::invokeMethod(
        worker,
        [this] {
            worker->shutDown();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    thread->wait();
    thread.reset();
#else
    worker->shutDown();
#endif
    delete worker;
    worker = nullptr;
}

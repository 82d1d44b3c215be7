#pragma once

#include "sound/cue_player.h"
#include "sound/cue_queue.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>

#include <atomic>
#include <memory>

// What the window and the sound thread share: the waiting writes and a few
// flags. Only `take` and `push` hold the lock, and never while a write is
// carried out, so the window never waits for the sound thread.
struct SoundChannel
{
    QMutex lock;
    CueQueue queue;
    QElapsedTimer clock;                  // started once, read by both threads
    std::atomic<bool> wakePending{false}; // a drain is posted and has not begun taking
    std::atomic<qint64> busySince{-1};    // when the write being carried out was taken
    std::atomic<int> busyWith{-1};        // its SoundCommand::Kind

    SoundChannel() { clock.start(); }
    qint64 now() const { return clock.elapsed(); }
};

// The sound device's working half. It lives on the sound thread and carries
// out the window's writes in order: every call that may wait on the file
// system or the sound server is made here.
class SoundWorker : public QObject
{
    Q_OBJECT

public:
    explicit SoundWorker(std::shared_ptr<SoundChannel> channel);
    ~SoundWorker() override;

    void drain();
    void prepare();
    void shutDown();

private:
    void carryOut(const SoundCommand &command);
    void open();
    void sound(const SoundCommand &command);
    void close();

    std::shared_ptr<SoundChannel> channel;
    std::unique_ptr<CuePlayer> player;
    QString fileName;
    QString opened;
};

#pragma once

#include <QString>

#include <deque>
#include <optional>

// One write into the sound device: a command, or the file name for the next
// "Open". `writtenAt` is when the window wrote it, in milliseconds of a
// monotonic clock.
struct SoundCommand
{
    enum Kind { Stop, Close, FileName, Open, Sound };
    Kind kind = Stop;
    QString fileName; // FileName only
    qint64 writtenAt = 0;
    quint64 sequence = 0; // counts the writes, from 1
};

// The writes waiting for the sound thread, in the order they were made.
// Not thread-safe: the device guards it.
//
// A "Stop" ends and a "Close" undoes whatever the writes before it would have
// started, so when one arrives while older writes still wait, those are
// dropped; only the last file name among them is kept, as it stays set. A
// sound thread held up by the sound server therefore finds at most the newest
// cue waiting when it comes back, never a burst of stale ones.
class CueQueue
{
public:
    // A cue that cannot start within this time of its press is not played.
    static constexpr qint64 lateAfterMs = 1000;

    void push(const SoundCommand &command);
    std::optional<SoundCommand> take();
    bool isEmpty() const { return waiting.empty(); }

    static bool isLate(const SoundCommand &command, qint64 now)
    {
        return now - command.writtenAt > lateAfterMs;
    }

private:
    std::deque<SoundCommand> waiting;
};

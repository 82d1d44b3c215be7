#pragma once

#include "sound/cue_player.h"

#include <QString>

#include <deque>
#include <optional>

// One write into the sound device: a command, or the file name for the next
// "Open". `writtenAt` is when the window wrote it, in milliseconds of a
// monotonic clock.
struct SoundCommand
{
    enum Kind { Stop, Close, FileName, Open, Sound };
    // The commands as the window writes them; a file name is no command and
    // is named so for the sound log alone.
    static constexpr const char *names[] = {"Stop", "Close", "file name", "Open", "Sound"};
    Kind kind = Stop;
    QString fileName; // FileName only
    qint64 writtenAt = 0;
};

// The writes waiting for the sound thread, in the order they were made.
// Not thread-safe: the device guards it.
//
// Only the newest cue is played after a stall, and this is where that rule
// lives: the sound thread never waits on the sound server, but it may be held
// up by the file system (a cue decoded from a slow or hung disk) while the
// window goes on writing. A "Stop" ends and a "Close" undoes whatever the
// writes before it would have started, so when one arrives while older writes
// still wait, those are dropped; only the last file name among them is kept,
// as it stays set. The thread then finds at most the newest cue waiting when
// it comes back, never a burst of stale ones, and one older than cueBoundMs
// is not played at all.
class CueQueue
{
public:
    void push(const SoundCommand &command);
    std::optional<SoundCommand> take();
    bool isEmpty() const { return waiting.empty(); }

    static bool isLate(const SoundCommand &command, qint64 now)
    {
        return now - command.writtenAt > cueBoundMs;
    }

private:
    std::deque<SoundCommand> waiting;
};

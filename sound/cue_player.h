#pragma once

#include <QString>

// Plays one cue file, whole, to its last sample. It lives in a module of its
// own, one for each platform, loaded by the sound thread, so the audio and
// decoding libraries cost the window's start-up nothing. Only the sound
// thread calls it; a call may wait on the file system, never on the sound
// server.
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;

    // Decodes the file; false, with the reason in `why`, where it is no
    // sound we play.
    virtual bool open(const QString &path, QString &why) = 0;
    virtual qint64 frames() const = 0;
    // Starts the sound from its beginning without waiting for it; false, with
    // the reason, where it cannot even be begun. A sound whose output does
    // not start within a second is given up.
    virtual bool sound(QString &why) = 0;
    virtual void stop() = 0;
};

// The module's entry points: a new player, and the end of the output (the
// connection to the sound server), on the sound thread before it ends. The
// module is loaded at the first cue: at a chime's latency its libraries cost
// the window nothing before a cue is given.
#define PARKING_CUE_PLAYER_ENTRY "parking_create_cue_player"
#define PARKING_RELEASE_OUTPUT_ENTRY "parking_release_output"
extern "C" {
using CreateCuePlayer = CuePlayer *();
using ReleaseOutput = void();
}

#pragma once

#include <QString>

// What is asked of the sound server (a connection, or a cue's stream) is
// given up when the server leaves it unanswered this long, and a cue that
// the sound thread could not start this long after its press is not played:
// a chime heard later no longer answers the click.
constexpr int cueBoundMs = 1000;

// Bounds on what is taken for a cue: a larger file is not a cue and is
// refused; of a longer sound the first minute is played.
constexpr qint64 cueMaxFileBytes = 32 * 1024 * 1024;
constexpr int cueMaxSeconds = 60;

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
    // Starts the sound from its beginning without waiting for it; false, with
    // the reason, where it cannot even be begun. A sound whose output does
    // not start within cueBoundMs is given up.
    virtual bool sound(QString &why) = 0;
    virtual void stop() = 0;
};

// The module's entry points: a new player; the output (the connection to the
// sound server) begun ahead of the first cue; and the output's end, on the
// sound thread before it ends.
#define PARKING_CUE_PLAYER_ENTRY "parking_create_cue_player"
#define PARKING_PREPARE_OUTPUT_ENTRY "parking_prepare_output"
#define PARKING_RELEASE_OUTPUT_ENTRY "parking_release_output"
extern "C" {
using CreateCuePlayer = CuePlayer *();
using PrepareOutput = void();
using ReleaseOutput = void();
}

#pragma once

#include <QString>

// Plays one cue file: decodes it whole, then sounds it from memory, so the
// whole sound is heard to its last sample. It lives in a module of its own,
// loaded by the sound thread, so the audio and decoding libraries cost the
// window's start-up nothing. Every call may wait on the file system or the
// sound server: only the sound thread makes them.
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;

    // Decodes the file; false, with the reason in `why`, where it is no
    // sound we play.
    virtual bool open(const QString &path, QString &why) = 0;
    virtual qint64 frames() const = 0;
    // Starts the sound from its beginning; false, with the reason, where no
    // output takes it.
    virtual bool sound(QString &why) = 0;
    virtual void stop() = 0;
    virtual bool sounding() const = 0;
};

// The module's entry points: a new player, and a first look for the output
// device, so that the first cue does not wait for the sound server's answer.
#define PARKING_CUE_PLAYER_ENTRY "parking_create_cue_player"
#define PARKING_PREPARE_OUTPUT_ENTRY "parking_prepare_output"
extern "C" {
using CreateCuePlayer = CuePlayer *();
using PrepareOutput = void();
}

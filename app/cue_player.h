#pragma once

#include <QString>

// Plays one cue file: decodes it whole, then sounds it from memory, so the
// whole sound is heard to its last sample. It lives in a module of its own,
// loaded at the first cue, so the audio and decoding libraries cost start-up
// nothing.
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;

    virtual bool open(const QString &path) = 0; // false: not a sound we can play
    virtual qint64 frames() const = 0;
    virtual void sound() = 0;
    virtual void stop() = 0;
    virtual bool sounding() const = 0;
};

// The module's one entry point.
#define PARKING_CUE_PLAYER_ENTRY "parking_create_cue_player"
extern "C" {
using CreateCuePlayer = CuePlayer *();
}

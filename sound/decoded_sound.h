#pragma once

#include <QByteArray>
#include <QString>

// A cue file decoded whole into 16-bit samples in the machine's byte order,
// frame after frame, so the whole sound can be played from memory.
struct DecodedSound
{
    int rate = 0;
    int channels = 0;
    QByteArray samples;

    qint64 frames() const { return channels > 0 ? samples.size() / (channels * qint64(sizeof(short))) : 0; }
};

// Decodes the file; false, with the reason in `why`, where it is no sound we
// play. Never waits for a writer or a device: a named pipe or a device file
// is refused at once.
bool decodeSound(const QString &path, DecodedSound &sound, QString &why);

#pragma once

#include <QString>

// What the window asks of its sound device, the way the cues drive it: set a
// file name, then write commands ("Stop", "Close", "Open", "Sound"). Nothing
// is read back; a file that cannot be played, or a machine without sound, is
// simply not heard. MMControl is the program's device.
class MultimediaControl
{
public:
    virtual ~MultimediaControl() = default;
    virtual void setFileName(const QString &name) = 0;
    virtual void setCommand(const QString &command) = 0;
};

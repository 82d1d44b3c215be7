#pragma once

#include "sound/multimedia_control.h"

#include <memory>

class QObject;
class QThread;
class SoundWorker;
struct SoundChannel;

// The window's sound device (multimedia_control.h).
//
// Each write is handed to a thread of the device's own and carried out there
// in order, so the window never waits for the file system, the decoder or the
// sound server. A cue file is decoded whole when the device opens and played
// from memory, so the whole sound is heard, to its last sample.
//
// The sound module is loaded and the sound server connected ahead, on the
// sound thread, when the user first reaches for the program: the pointer
// comes over one of its windows, or a key or a mouse button is pressed. The
// first cue then waits for nothing but its stream, and a program left
// untouched does not carry them.
//
// Its end ends the sound thread in order: the player stops and the connection
// to the sound server is dropped. Nothing there waits on the server, so this
// takes no time, also when the server has stopped answering.
class MMControl : public MultimediaControl
{
public:
    MMControl();
    ~MMControl() override;

    void setFileName(const QString &name) override;
    void setCommand(const QString &command) override;

private:
    void write(int kind, const QString &fileName = {});
    void startThread();
    void noteStuck();
    void finish();
    void prepare();

    std::shared_ptr<SoundChannel> channel;
    std::unique_ptr<QThread> thread; // none where the platform has no threads
    SoundWorker *worker = nullptr;
    std::unique_ptr<QObject> firstInput; // watches for it until it comes
    bool stuckNoted = false;
};

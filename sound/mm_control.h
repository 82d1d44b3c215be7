#pragma once

#include "sound/multimedia_control.h"

#include <memory>

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

    std::shared_ptr<SoundChannel> channel;
    std::unique_ptr<QThread> thread;
    SoundWorker *worker = nullptr;
    bool stuckNoted = false;
};

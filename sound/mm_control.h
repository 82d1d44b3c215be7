#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QThread;
class SoundWorker;
struct SoundChannel;

// The window's sound device. It is driven the way the cues need it: set a file
// name, then write commands ("Stop", "Close", "Open", "Sound"). The program
// reads nothing back; a file that cannot be played, or a machine without
// sound, is simply not heard.
//
// Each write is handed to a thread of the device's own and carried out there
// in order, so the window never waits for the file system, the decoder or the
// sound server. A cue file is decoded whole when the device opens and played
// from memory, so the whole sound is heard, to its last sample.
class MMControl : public QObject
{
    Q_OBJECT

public:
    explicit MMControl(QObject *parent = nullptr);
    ~MMControl() override;

    void setFileName(const QString &name);
    void setCommand(const QString &command);

    // Loads the sound libraries and finds the output on the sound thread
    // ahead of the first cue, so that it sounds without their delay.
    void prepare();

    // Ends the sound thread, waiting for it at most `wait`. False where the
    // sound server holds it up: the thread is then left as it is, and the
    // program should not tear down its sound libraries.
    bool finish(std::chrono::milliseconds wait);

    // What the sound thread last reported, for tests and diagnostics; the
    // program never asks. `isSettled` says every write has been carried out
    // and reported.
    bool isSettled() const { return reportedWrite == writes; }
    QString openedFile() const { return opened; }
    qint64 openedFrames() const { return frames; }
    bool sounding() const { return playing; }

signals:
    void commandWritten(const QString &command);

private:
    void write(int kind, const QString &fileName = {});
    void startThread();
    void noteStuck();

    std::shared_ptr<SoundChannel> channel;
    QThread *thread = nullptr;
    SoundWorker *worker = nullptr;
    quint64 writes = 0;
    quint64 reportedWrite = 0;
    QString opened;
    qint64 frames = 0;
    bool playing = false;
    bool stuckNoted = false;
};

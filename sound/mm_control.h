#pragma once

#include <QObject>
#include <QString>

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

    // Ends the sound thread in order: the player stops and the connection to
    // the sound server is dropped. Nothing there waits on the server, so this
    // returns at once, also when the server has stopped answering.
    void finish();

    // What the sound thread last reported, for tests and diagnostics; the
    // program never asks. `isSettled` says every write has been carried out
    // and reported.
    bool isSettled() const { return reportedWrite == writes; }
    QString openedFile() const { return opened; }
    qint64 openedFrames() const { return frames; }

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
    bool stuckNoted = false;
};

#pragma once

#include <QObject>
#include <QString>

#include <memory>

class CuePlayer;

// The window's sound device. It is driven the way the cues need it: set a file
// name, then write commands ("Stop", "Close", "Open", "Sound"), each carried
// out as it is written. The program reads nothing back; a file that cannot be
// played, or a machine without sound, is simply not heard.
//
// A cue file is decoded whole when the device opens and played from memory
// (CuePlayer), so the whole sound is heard, to its last sample.
class MMControl : public QObject
{
    Q_OBJECT

public:
    explicit MMControl(QObject *parent = nullptr);
    ~MMControl() override;

    void setFileName(const QString &name);
    void setCommand(const QString &command);

    // Where a bare file name is looked for: the current folder, the program's
    // own folder, then the sound folder installed beside the program. Returns
    // the first regular file found, or an empty string.
    static QString locate(const QString &name);

    // For tests and diagnostics only; the program never asks.
    QString openedFile() const { return opened; }
    qint64 openedFrames() const;
    bool sounding() const;

signals:
    void commandWritten(const QString &command);

private:
    void stop();
    void close();
    void open();
    void sound();

    QString fileName;
    QString opened;
    std::unique_ptr<CuePlayer> player;
};

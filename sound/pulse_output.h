#pragma once

#include <QObject>
#include <QTimer>

#include <pulse/context.h>

#include <memory>

class PulseLoop;

// The one connection to the sound server, made, used and ended on the sound
// thread. It connects when a cue asks for
// it, and is given up when the server fails it or does not answer within a
// second; the next cue then connects afresh. So a server that stalled, was
// restarted or came up only after the program is found again by the first cue
// after it answers.
class PulseOutput : public QObject
{
    Q_OBJECT

public:
    // Made on first use, on the calling thread.
    static PulseOutput &instance();
    // Ends the connection and the client's loop, if they were made.
    static void release();

    // The connection, begun now where there is none; null only where the
    // client library cannot even begin one.
    pa_context *context();
    bool isReady() const;
    // Gives the connection up: the server did not answer in time.
    void drop(const QString &why);

    // A connection answers only within this time, or it is given up.
    static constexpr int answerWithinMs = 1000;

signals:
    void ready();
    void lost();

private:
    PulseOutput();
    ~PulseOutput() override;
    static void stateChanged(pa_context *context, void *self);
    void close();

    std::unique_ptr<PulseLoop> loop;
    pa_context *connection = nullptr;
    bool wasReady = false; // some connection has answered before
    bool answered = false; // this one has
    QTimer answerBound;
};

#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <pulse/context.h>

struct pa_glib_mainloop;

// The one connection to the sound server, made, used and ended on the sound
// thread, on the client library's own glib main loop, which runs on the
// thread's event loop: nothing here ever blocks.
//
// It connects when a cue asks for it, and is given up when the server fails
// it or leaves whatever was asked of it (the connection, or a cue's stream)
// unanswered for longer than cueBoundMs; the next cue then connects afresh.
// So a server that stalled, was restarted or came up only after the program
// is found again by the first cue after it answers.
class PulseOutput : public QObject
{
    Q_OBJECT

public:
    // Made on first use, on the calling thread.
    static PulseOutput &instance();
    // Ends the connection and the client's loop, if they were made.
    static void release();
    // The server answered something asked of it; nothing where the output
    // is gone.
    static void heard();

    // The connection, begun now where there is none; null, with the reason
    // in `why`, where none can even be begun.
    pa_context *context(QString &why);
    bool isReady() const;
    // Something was asked of the server: it answers within the bound, or the
    // connection is given up.
    void awaitAnswer();

signals:
    void ready();
    void lost();

private:
    PulseOutput() = default;
    ~PulseOutput() override;
    static void stateChanged(pa_context *context, void *self);
    void answered();
    void drop(const QString &why);
    void close();

    pa_glib_mainloop *loop = nullptr;
    pa_context *connection = nullptr;
    bool wasReady = false;     // some connection has answered before
    bool answeredOnce = false; // this one has
    int unanswered = 0;        // questions to the server not yet answered
    QTimer answerBound;
};

#include "sound/pulse_output.h"

#include "sound/cue_player.h"
#include "sound/sound_log.h"

#include <QCoreApplication>

#include <glib.h>
#include <pulse/error.h>
#include <pulse/glib-mainloop.h>

namespace {
PulseOutput *theOutput = nullptr;
}

PulseOutput &PulseOutput::instance()
{
    if (!theOutput)
        theOutput = new PulseOutput;
    return *theOutput;
}

void PulseOutput::release()
{
    delete theOutput;
    theOutput = nullptr;
}

void PulseOutput::heard()
{
    if (theOutput)
        theOutput->answered();
}

// The connection goes before the loop it runs on.
PulseOutput::~PulseOutput()
{
    close();
    if (loop)
        pa_glib_mainloop_free(loop);
}

pa_context *PulseOutput::context(QString &why)
{
    if (connection)
        return connection;
    if (!loop) {
        // Qt's event loop on this thread is glib's, on a context of the
        // thread's own that it makes the thread's default; without glib
        // (QT_NO_GLIB) there is none, and no loop to run the client on.
        GMainContext *events = g_main_context_get_thread_default();
        if (!events) {
            why = QStringLiteral("Qt runs without glib's event loop (QT_NO_GLIB), on which the sound "
                                 "server's client runs");
            return nullptr;
        }
        loop = pa_glib_mainloop_new(events);
        answerBound.setSingleShot(true);
        connect(&answerBound, &QTimer::timeout, this,
                [this] { drop(QStringLiteral("no answer within %1 ms").arg(cueBoundMs)); });
    }
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    connection
        = pa_context_new(pa_glib_mainloop_get_api(loop), name.isEmpty() ? "parking-dice" : name.constData());
    if (!connection) {
        why = QStringLiteral("the sound server's client could not be made");
        return nullptr;
    }
    pa_context_set_state_callback(connection, &stateChanged, this);
    answeredOnce = false;
    awaitAnswer();
    // The program never starts a sound server of its own: the desktop runs
    // one, or the program stays silent until one is there. A refusal may
    // come at once, through the state callback, which then has given the
    // connection up already.
    if (pa_context_connect(connection, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && connection)
        drop(QString::fromUtf8(pa_strerror(pa_context_errno(connection))));
    if (!connection)
        why = QStringLiteral("no sound server");
    return connection;
}

bool PulseOutput::isReady() const
{
    return connection && pa_context_get_state(connection) == PA_CONTEXT_READY;
}

void PulseOutput::awaitAnswer()
{
    if (unanswered++ == 0)
        answerBound.start(cueBoundMs);
}

// The bound runs from the last answer while anything is still asked.
void PulseOutput::answered()
{
    if (unanswered > 0 && --unanswered > 0)
        answerBound.start(cueBoundMs);
    else
        answerBound.stop();
}

void PulseOutput::stateChanged(pa_context *context, void *self)
{
    auto *output = static_cast<PulseOutput *>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        output->answered();
        qCDebug(soundLog).nospace() << "sound server " << (output->wasReady ? "found again" : "found") << ": "
                                    << pa_context_get_server(context);
        output->wasReady = output->answeredOnce = true;
        emit output->ready();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        output->drop(QString::fromUtf8(pa_strerror(pa_context_errno(context))));
        break;
    default:
        break;
    }
}

void PulseOutput::drop(const QString &why)
{
    if (!connection)
        return;
    qCDebug(soundLog) << (answeredOnce ? "connection to the sound server lost:" : "no sound server:") << why;
    close();
    emit lost();
}

void PulseOutput::close()
{
    answerBound.stop();
    unanswered = 0;
    if (!connection)
        return;
    pa_context *going = std::exchange(connection, nullptr);
    pa_context_set_state_callback(going, nullptr, nullptr);
    pa_context_disconnect(going);
    pa_context_unref(going);
}

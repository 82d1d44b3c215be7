#include "sound/pulse_output.h"

#include "sound/pulse_log.h"
#include "sound/pulse_loop.h"

#include <QCoreApplication>

#include <pulse/error.h>

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

PulseOutput::PulseOutput()
    : loop(std::make_unique<PulseLoop>())
{
    answerBound.setSingleShot(true);
    connect(&answerBound, &QTimer::timeout, this,
            [this] { drop(QStringLiteral("no answer within %1 ms").arg(answerWithinMs)); });
}

// The connection goes before the loop it runs on.
PulseOutput::~PulseOutput() { close(); }

pa_context *PulseOutput::context()
{
    if (connection)
        return connection;
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    connection = pa_context_new(loop->api(), name.isEmpty() ? "parking-dice" : name.constData());
    if (!connection) {
        qCDebug(pulseLog) << "no sound: the sound server's client could not be made";
        return nullptr;
    }
    pa_context_set_state_callback(connection, &stateChanged, this);
    // The program never starts a sound server of its own: the desktop runs
    // one, or the program stays silent until one is there.
    // A refusal may come at once, through the state callback, which then
    // has given the connection up already.
    answered = false;
    answerBound.start(answerWithinMs);
    if (pa_context_connect(connection, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && connection)
        drop(QString::fromUtf8(pa_strerror(pa_context_errno(connection))));
    return connection;
}

bool PulseOutput::isReady() const
{
    return connection && pa_context_get_state(connection) == PA_CONTEXT_READY;
}

void PulseOutput::stateChanged(pa_context *context, void *self)
{
    auto *output = static_cast<PulseOutput *>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        output->answerBound.stop();
        qCDebug(pulseLog).nospace() << "sound server " << (output->wasReady ? "found again" : "found") << ": "
                                    << pa_context_get_server(context);
        output->wasReady = output->answered = true;
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
    qCDebug(pulseLog) << (answered ? "connection to the sound server lost:" : "no sound server:") << why;
    close();
    emit lost();
}

void PulseOutput::close()
{
    answerBound.stop();
    if (!connection)
        return;
    pa_context *going = std::exchange(connection, nullptr);
    pa_context_set_state_callback(going, nullptr, nullptr);
    pa_context_disconnect(going);
    pa_context_unref(going);
}

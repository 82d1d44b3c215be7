// The cue player module on Linux: a cue file decoded with libsndfile, played
// through the sound server's own client library (PulseAudio's, which
// PipeWire's PulseAudio server speaks too) on the library's glib main loop,
// which the sound thread's event loop runs, so that no call here ever waits
// on the server.

#include "sound/cue_player.h"
#include "sound/decoded_sound.h"
#include "sound/pulse_output.h"
#include "sound/sound_log.h"

#include <QFileInfo>
#include <QTimer>

#include <pulse/error.h>
#include <pulse/stream.h>

#include <algorithm>

namespace {

// The latency asked of the server: short, as a chime answers a click.
constexpr pa_usec_t targetLatencyUs = 20000;
// How long the stream may stay after the sound's own length before it is
// closed anyway: the server may start it late (an idle device wakes first).
constexpr int drainMs = 2000;

// Lets go of a stream. One the server has not yet made cannot be disconnected:
// it is disconnected as soon as the server answers, or goes with its
// connection.
void abandon(pa_stream *stream)
{
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    if (pa_stream_get_state(stream) == PA_STREAM_CREATING) {
        pa_stream_set_state_callback(
            stream,
            [](pa_stream *made, void *) {
                if (pa_stream_get_state(made) == PA_STREAM_CREATING)
                    return;
                PulseOutput::heard();
                pa_stream_set_state_callback(made, nullptr, nullptr);
                pa_stream_disconnect(made);
                pa_stream_unref(made);
            },
            nullptr);
        return;
    }
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
}

class PulseCuePlayer : public CuePlayer
{
public:
    PulseCuePlayer()
    {
        endBound.setSingleShot(true);
        QObject::connect(&endBound, &QTimer::timeout, &guard, [this] { release(); });
    }

    ~PulseCuePlayer() override { release(); }

    bool open(const QString &path, QString &why) override
    {
        release();
        name = QFileInfo(path).fileName().toUtf8();
        return decodeSound(path, decoded, why);
    }

    // Starts the cue without waiting: it sounds once the server has made its
    // stream, or is given up where that takes longer than a second.
    bool sound(QString &why) override
    {
        release();
        if (decoded.samples.isEmpty()) {
            why = QStringLiteral("nothing opened");
            return false;
        }
        PulseOutput &output = PulseOutput::instance();
        if (!output.context(why))
            return false;
        if (!watching) {
            watching = true;
            QObject::connect(&output, &PulseOutput::ready, &guard, [this] {
                if (waiting)
                    begin();
            });
            QObject::connect(&output, &PulseOutput::lost, &guard, [this] {
                if (waiting || stream)
                    notHeard(QStringLiteral("the connection to the sound server went"));
            });
        }
        waiting = true;
        if (output.isReady())
            begin();
        return true;
    }

    void stop() override { release(); }

private:
    void begin()
    {
        waiting = false;
        const pa_sample_spec spec{PA_SAMPLE_S16NE, uint32_t(decoded.rate), uint8_t(decoded.channels)};
        pa_channel_map map;
        pa_channel_map_init_extend(&map, spec.channels, PA_CHANNEL_MAP_DEFAULT);
        PulseOutput &output = PulseOutput::instance();
        QString why;
        pa_context *context = output.context(why);
        stream = pa_stream_new(context, name.constData(), &spec, &map);
        if (!stream) {
            notHeard(QString::fromUtf8(pa_strerror(pa_context_errno(context))));
            return;
        }
        pa_stream_set_state_callback(stream, &stateChanged, this);
        pa_stream_set_write_callback(stream, &writable, this);
        const uint32_t asDefault = uint32_t(-1);
        const pa_buffer_attr buffer{asDefault, uint32_t(pa_usec_to_bytes(targetLatencyUs, &spec)), asDefault,
                                    asDefault, asDefault};
        // No device named: the server's default output of the moment.
        if (pa_stream_connect_playback(stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr)
            < 0) {
            notHeard(QString::fromUtf8(pa_strerror(pa_context_errno(context))));
            return;
        }
        output.awaitAnswer();
    }

    static void stateChanged(pa_stream *stream, void *self)
    {
        auto *player = static_cast<PulseCuePlayer *>(self);
        switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY: {
            PulseOutput::heard();
            qCDebug(soundLog).noquote()
                << "playing:" << player->name << "on" << pa_stream_get_device_name(stream);
            const qint64 soundMs = player->decoded.frames() * 1000 / player->decoded.rate;
            player->endBound.start(int(soundMs) + drainMs);
            break;
        }
        case PA_STREAM_FAILED:
            if (!player->endBound.isActive()) // a refusal answers the stream's making
                PulseOutput::heard();
            [[fallthrough]];
        case PA_STREAM_TERMINATED:
            player->notHeard(QString::fromUtf8(pa_strerror(pa_context_errno(pa_stream_get_context(stream)))));
            break;
        default:
            break;
        }
    }

    // Hands the server what it asks for; after the last sample, asks to be
    // told when all was played, and then closes the stream so that the server
    // may let the device sleep.
    static void writable(pa_stream *stream, size_t bytes, void *self)
    {
        auto *player = static_cast<PulseCuePlayer *>(self);
        const QByteArray &samples = player->decoded.samples;
        const size_t left = size_t(samples.size() - player->written);
        const size_t now = std::min(bytes, left);
        if (now > 0) {
            pa_stream_write(stream, samples.constData() + player->written, now, nullptr, 0, PA_SEEK_RELATIVE);
            player->written += qsizetype(now);
        }
        if (player->written == samples.size() && !player->draining) {
            pa_stream_set_write_callback(stream, nullptr, nullptr);
            player->draining = pa_stream_drain(
                stream,
                [](pa_stream *, int, void *done) {
                    auto *played = static_cast<PulseCuePlayer *>(done);
                    pa_operation_unref(std::exchange(played->draining, nullptr));
                    played->release();
                },
                player);
        }
    }

    void notHeard(const QString &why)
    {
        const bool started = stream && pa_stream_get_state(stream) == PA_STREAM_READY;
        qCDebug(soundLog).noquote() << (started ? "cut off:" : "not heard:") << name << why;
        release();
    }

    void release()
    {
        waiting = false;
        endBound.stop();
        if (draining) {
            pa_operation_cancel(draining);
            pa_operation_unref(std::exchange(draining, nullptr));
        }
        if (stream)
            abandon(std::exchange(stream, nullptr));
        written = 0;
    }

    DecodedSound decoded;
    QByteArray name;
    pa_stream *stream = nullptr;
    pa_operation *draining = nullptr;
    qsizetype written = 0;
    bool waiting = false;  // for the connection to answer
    bool watching = false; // the output's news reach the player
    QTimer endBound;
    QObject guard; // ends the connections to the output with the player
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer *parking_create_cue_player() { return new PulseCuePlayer; }

extern "C" Q_DECL_EXPORT void parking_prepare_output()
{
    QString why;
    if (!PulseOutput::instance().context(why))
        qCDebug(soundLog) << "not connected ahead:" << why;
}

extern "C" Q_DECL_EXPORT void parking_release_output() { PulseOutput::release(); }

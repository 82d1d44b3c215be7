// The cue player module: decodes a cue file with libsndfile and plays it
// through Qt Multimedia's audio output.

#include "sound/cue_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>

namespace {

// Bounds on what is taken for a cue. A larger file or an odd format is not a
// cue and is refused; of a longer sound the first minute is played. The
// decoded samples are capped too, as a small compressed file can hold hours
// of many channels: 16 MiB is 87 s of CD-quality stereo, far beyond a chime.
constexpr qint64 maxFileBytes = 32 * 1024 * 1024;
constexpr int maxSeconds = 60;
constexpr qint64 maxDecodedBytes = 16 * 1024 * 1024;
constexpr int maxChannels = 8;
constexpr int minRate = 1000, maxRate = 192000;

// How long the output stays open after the sound's own length: the server
// may start a stream late (an idle device wakes up first) and plays what it
// holds after the last sample was handed over.
constexpr int drainMs = 2000;

struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads the sound as 16-bit samples. O_NONBLOCK and the check on the opened
// descriptor keep a named pipe or a device from ever holding up the thread.
bool decode(const QString &path, QAudioFormat &format, QByteArray &samples, QString &why)
{
    Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        why = QStringLiteral("cannot be opened: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    struct stat info = {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = QStringLiteral("not a regular file");
        return false;
    }
    if (info.st_size > maxFileBytes) {
        why = QStringLiteral("larger than %1 bytes").arg(maxFileBytes);
        return false;
    }

    SF_INFO header{};
    SNDFILE *sound = sf_open_fd(file.fd, SFM_READ, &header, SF_TRUE);
    if (!sound) {
        why = QStringLiteral("not a sound file: %1").arg(QString::fromLocal8Bit(sf_strerror(nullptr)));
        return false;
    }
    file.fd = -1; // libsndfile closes it now
    if (header.channels < 1 || header.channels > maxChannels || header.samplerate < minRate
        || header.samplerate > maxRate) {
        why = QStringLiteral("%1 channels at %2 Hz").arg(header.channels).arg(header.samplerate);
        sf_close(sound);
        return false;
    }
    const qsizetype frameBytes = qsizetype(header.channels) * qsizetype(sizeof(short));
    const sf_count_t limit
        = std::min<sf_count_t>(sf_count_t(header.samplerate) * maxSeconds, maxDecodedBytes / frameBytes);
    const sf_count_t wanted = header.frames > 0 && header.frames < limit ? header.frames : limit;
    samples.resize(qsizetype(wanted) * frameBytes);
    sf_count_t got = 0;
    while (got < wanted) {
        auto *at = reinterpret_cast<short *>(samples.data() + got * frameBytes);
        const sf_count_t read = sf_readf_short(sound, at, wanted - got);
        if (read <= 0)
            break;
        got += read;
    }
    sf_close(sound);
    samples.resize(qsizetype(got) * frameBytes);
    samples.squeeze();
    format.setSampleRate(header.samplerate);
    format.setChannelCount(header.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (samples.isEmpty())
        why = QStringLiteral("holds no samples");
    return !samples.isEmpty();
}

class SoundFilePlayer : public CuePlayer
{
public:
    SoundFilePlayer()
    {
        drained.setSingleShot(true);
        QObject::connect(&drained, &QTimer::timeout, [this] { release(); });
    }

    ~SoundFilePlayer() override { release(); }

    bool open(const QString &path, QString &why) override { return decode(path, format, samples, why); }

    qint64 frames() const override { return format.isValid() ? samples.size() / format.bytesPerFrame() : 0; }

    bool sound(QString &why) override
    {
        release();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull()) {
            why = QStringLiteral("no output device");
            return false;
        }
        source.setData(samples);
        source.open(QIODevice::ReadOnly);
        sink = std::make_unique<QAudioSink>(output, format);
        sink->start(&source);
        // Once the sound has been heard the stream closes, so that the sound
        // server can let the device sleep between cues.
        drained.start(
            int(format.durationForBytes(qint32(std::min<qsizetype>(samples.size(), INT_MAX))) / 1000)
            + drainMs);
        if (sink->state() == QAudio::StoppedState) {
            why = QStringLiteral("the output refused the stream (error %1)").arg(int(sink->error()));
            release();
            return false;
        }
        return true;
    }

    void stop() override { release(); }

    bool sounding() const override { return sink && sink->state() == QAudio::ActiveState; }

private:
    // Taken out of the member first: the sink may run the thread's events
    // while it goes, and whatever runs then finds no sink to release again.
    void release()
    {
        drained.stop();
        std::unique_ptr<QAudioSink> going = std::move(sink);
        if (going)
            going->stop();
        going.reset();
        source.close();
    }

    QAudioFormat format;
    QByteArray samples;
    QBuffer source;
    QTimer drained;
    std::unique_ptr<QAudioSink> sink;
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer *parking_create_cue_player() { return new SoundFilePlayer; }

extern "C" Q_DECL_EXPORT void parking_prepare_output() { (void)QMediaDevices::defaultAudioOutput(); }

// The cue player module: decodes a cue file with libsndfile and plays it
// through Qt Multimedia's audio output.

#include "app/cue_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QMediaDevices>

#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

// Bounds on what is taken for a cue: a larger file, a longer sound or an odd
// format is not a cue and is not played.
constexpr qint64 maxFileBytes = 32 * 1024 * 1024;
constexpr int maxSeconds = 60;
constexpr int maxChannels = 8;
constexpr int minRate = 1000, maxRate = 192000;

// Owns a file descriptor until libsndfile takes it over.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads the whole sound as 16-bit samples. O_NONBLOCK and the check on the
// opened descriptor keep a named pipe or a device from ever blocking the window.
bool decode(const QString &path, QAudioFormat &format, QByteArray &samples)
{
    Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return false;
    struct stat info = {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxFileBytes)
        return false;

    SF_INFO header{};
    SNDFILE *sound = sf_open_fd(file.fd, SFM_READ, &header, SF_TRUE);
    if (!sound)
        return false;
    file.fd = -1; // libsndfile closes it now
    const bool usable = header.channels >= 1 && header.channels <= maxChannels && header.samplerate >= minRate
                        && header.samplerate <= maxRate;
    if (usable) {
        const sf_count_t limit = sf_count_t(header.samplerate) * maxSeconds;
        const sf_count_t wanted = header.frames > 0 && header.frames < limit ? header.frames : limit;
        const qsizetype frameBytes = qsizetype(header.channels) * qsizetype(sizeof(short));
        samples.resize(qsizetype(wanted) * frameBytes);
        sf_count_t got = 0;
        while (got < wanted) {
            auto *at = reinterpret_cast<short *>(samples.data() + got * frameBytes);
            const sf_count_t read = sf_readf_short(sound, at, wanted - got);
            if (read <= 0)
                break;
            got += read;
        }
        samples.resize(qsizetype(got) * frameBytes);
        format.setSampleRate(header.samplerate);
        format.setChannelCount(header.channels);
        format.setSampleFormat(QAudioFormat::Int16);
    }
    sf_close(sound);
    return usable && !samples.isEmpty();
}

class SoundFilePlayer : public CuePlayer
{
public:
    bool open(const QString &path) override { return decode(path, format, samples); }

    qint64 frames() const override { return format.isValid() ? samples.size() / format.bytesPerFrame() : 0; }

    void sound() override
    {
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull() || samples.isEmpty())
            return;
        sink.reset();
        source.close();
        source.setData(samples);
        source.open(QIODevice::ReadOnly);
        sink = std::make_unique<QAudioSink>(output, format);
        sink->start(&source);
    }

    void stop() override
    {
        if (sink)
            sink->stop();
    }

    bool sounding() const override { return sink && sink->state() == QAudio::ActiveState; }

private:
    QAudioFormat format;
    QByteArray samples;
    QBuffer source;
    std::unique_ptr<QAudioSink> sink; // declared last: it stops before its source goes
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer *parking_create_cue_player() { return new SoundFilePlayer; }

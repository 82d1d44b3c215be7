#include "sound/decoded_sound.h"

#include "sound/cue_player.h"

#include <QFile>

#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Besides the file's size and length (cue_player.h), an odd format is not a
// cue and is refused. The decoded samples are capped too, as a small
// compressed file can hold hours of many channels: 16 MiB is 87 s of
// CD-quality stereo, far beyond a chime.
constexpr qint64 maxDecodedBytes = 16 * 1024 * 1024;
constexpr int maxChannels = 8;
constexpr int minRate = 1000, maxRate = 192000;

struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

// O_NONBLOCK and the check on the opened descriptor keep a named pipe or a
// device from ever holding up the thread.
bool decodeSound(const QString &path, DecodedSound &sound, QString &why)
{
    Descriptor descriptor{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (descriptor.fd < 0) {
        why = QStringLiteral("cannot be opened: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    struct stat info = {};
    if (::fstat(descriptor.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = QStringLiteral("not a regular file");
        return false;
    }
    if (info.st_size > cueMaxFileBytes) {
        why = QStringLiteral("larger than %1 bytes").arg(cueMaxFileBytes);
        return false;
    }

    SF_INFO header{};
    SNDFILE *file = sf_open_fd(descriptor.fd, SFM_READ, &header, SF_TRUE);
    if (!file) {
        why = QStringLiteral("not a sound file: %1").arg(QString::fromLocal8Bit(sf_strerror(nullptr)));
        return false;
    }
    descriptor.fd = -1; // libsndfile closes it now
    if (header.channels < 1 || header.channels > maxChannels || header.samplerate < minRate
        || header.samplerate > maxRate) {
        why = QStringLiteral("%1 channels at %2 Hz").arg(header.channels).arg(header.samplerate);
        sf_close(file);
        return false;
    }
    const qsizetype frameBytes = qsizetype(header.channels) * qsizetype(sizeof(short));
    const sf_count_t limit
        = std::min<sf_count_t>(sf_count_t(header.samplerate) * cueMaxSeconds, maxDecodedBytes / frameBytes);
    const sf_count_t wanted = header.frames > 0 && header.frames < limit ? header.frames : limit;
    QByteArray &samples = sound.samples;
    samples.resize(qsizetype(wanted) * frameBytes);
    sf_count_t got = 0;
    while (got < wanted) {
        auto *at = reinterpret_cast<short *>(samples.data() + got * frameBytes);
        const sf_count_t read = sf_readf_short(file, at, wanted - got);
        if (read <= 0)
            break;
        got += read;
    }
    sf_close(file);
    samples.resize(qsizetype(got) * frameBytes);
    samples.squeeze();
    sound.rate = header.samplerate;
    sound.channels = header.channels;
    if (samples.isEmpty())
        why = QStringLiteral("holds no samples");
    return !samples.isEmpty();
}

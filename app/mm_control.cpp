#include "app/mm_control.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>

#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bounds on what is taken for a cue: a larger file, a longer sound or an odd
// format is not a cue and is not played.
constexpr qint64 maxFileBytes = 32 * 1024 * 1024;
constexpr int maxSeconds = 60;
constexpr int maxChannels = 8;
constexpr int minRate = 1000, maxRate = 192000;

bool isRegularFile(const QString &path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

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
    struct stat info
    {
    };
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

} // namespace

MMControl::MMControl(QObject *parent)
    : QObject(parent)
{}

MMControl::~MMControl() = default;

void MMControl::setFileName(const QString &name) { fileName = name; }

void MMControl::setCommand(const QString &command)
{
    if (command == u"Stop")
        stop();
    else if (command == u"Close")
        close();
    else if (command == u"Open")
        open();
    else if (command == u"Sound")
        sound();
    emit commandWritten(command);
}

QString MMControl::locate(const QString &name)
{
    if (name.isEmpty())
        return {};
    if (QDir::isAbsolutePath(name))
        return isRegularFile(name) ? name : QString();
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString folders[] = {QDir::currentPath(), programFolder,
                               QDir::cleanPath(programFolder + u'/' + QStringLiteral(PARKING_SOUND_DIR_FROM_BIN))};
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (isRegularFile(path))
            return path;
    }
    return {};
}

qint64 MMControl::openedFrames() const
{
    return format.isValid() ? samples.size() / format.bytesPerFrame() : 0;
}

bool MMControl::sounding() const { return sink && sink->state() == QAudio::ActiveState; }

void MMControl::stop()
{
    if (sink)
        sink->stop();
}

void MMControl::close()
{
    sink.reset();
    source.close();
    samples.clear();
    format = QAudioFormat();
    opened.clear();
}

void MMControl::open()
{
    close();
    const QString path = locate(fileName);
    if (!path.isEmpty() && decode(path, format, samples))
        opened = path;
    else
        close();
}

void MMControl::sound()
{
    if (opened.isEmpty())
        return;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return;
    sink.reset();
    source.close();
    source.setData(samples);
    source.open(QIODevice::ReadOnly);
    sink = std::make_unique<QAudioSink>(output, format);
    sink->start(&source);
}

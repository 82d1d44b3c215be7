// The cue player module on Windows: each cue is a waveaudio device of
// Windows' own multimedia control (MCI, in winmm), opened on the file, then
// played, stopped and closed through MCI's command strings.

#include "sound/cue_player.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <iterator>

namespace {

// Sends one command string; its answer, if any, in `answer`. False, with
// MCI's own words in `why`, where MCI refuses it.
bool mci(const QString &command, QString &why, QString *answer = nullptr)
{
    wchar_t reply[128] = {};
    const MCIERROR error = mciSendStringW(reinterpret_cast<const wchar_t *>(command.utf16()), reply,
                                          DWORD(std::size(reply)), nullptr);
    if (error != 0) {
        wchar_t text[256] = {};
        mciGetErrorStringW(error, text, DWORD(std::size(text)));
        why = QStringLiteral("%1: %2").arg(command.section(u' ', 0, 0), QString::fromWCharArray(text));
        return false;
    }
    if (answer)
        *answer = QString::fromWCharArray(reply);
    return true;
}

qint64 number(const QString &alias, const char *item, QString &why)
{
    QString answer;
    if (!mci(QStringLiteral("status %1 %2").arg(alias, QLatin1String(item)), why, &answer))
        return -1;
    bool ok = false;
    const qint64 value = answer.toLongLong(&ok);
    return ok ? value : -1;
}

// A regular file, opened without waiting on a device or a pipe: MCI itself
// would block the thread on one.
bool isDiskFile(const QString &path, QString &why)
{
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                                    GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = QStringLiteral("cannot be opened (error %1)").arg(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    const bool disk = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size);
    CloseHandle(file);
    if (!disk)
        why = QStringLiteral("not a regular file");
    else if (size.QuadPart > cueMaxFileBytes)
        why = QStringLiteral("larger than %1 bytes").arg(cueMaxFileBytes);
    return disk && size.QuadPart <= cueMaxFileBytes;
}

class MciCuePlayer : public CuePlayer
{
public:
    MciCuePlayer()
        : alias(QStringLiteral("parkingcue%1").arg(++made))
    {}

    ~MciCuePlayer() override { closeDevice(); }

    bool open(const QString &path, QString &why) override
    {
        closeDevice();
        if (!isDiskFile(path, why))
            return false;
        const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        if (!mci(QStringLiteral("open \"%1\" type waveaudio alias %2").arg(native, alias), why))
            return false;
        opened = true;
        if (!mci(QStringLiteral("set %1 time format samples").arg(alias), why)) {
            closeDevice();
            return false;
        }
        const qint64 length = number(alias, "length", why);
        const qint64 rate = number(alias, "samplespersec", why);
        if (length <= 0 || rate <= 0) {
            if (why.isEmpty())
                why = QStringLiteral("holds no samples");
            closeDevice();
            return false;
        }
        sampleFrames = std::min(length, rate * cueMaxSeconds);
        return true;
    }

    bool sound(QString &why) override
    {
        if (!opened) {
            why = QStringLiteral("no file open");
            return false;
        }
        QString ignored;
        mci(QStringLiteral("stop %1").arg(alias), ignored);
        return mci(QStringLiteral("play %1 from 0 to %2").arg(alias).arg(sampleFrames), why);
    }

    void stop() override
    {
        QString ignored;
        if (opened)
            mci(QStringLiteral("stop %1").arg(alias), ignored);
    }

private:
    void closeDevice()
    {
        QString ignored;
        if (opened)
            mci(QStringLiteral("close %1").arg(alias), ignored);
        opened = false;
        sampleFrames = 0;
    }

    static inline std::atomic<int> made{0};
    const QString alias;
    bool opened = false;
    qint64 sampleFrames = 0;
};

} // namespace

extern "C" Q_DECL_EXPORT CuePlayer *parking_create_cue_player() { return new MciCuePlayer; }

// Closes whatever MCI device a player left open.
extern "C" Q_DECL_EXPORT void parking_release_output()
{
    QString ignored;
    mci(QStringLiteral("close all"), ignored);
}

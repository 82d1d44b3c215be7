#include "sound/cue_places.h"

#include <QDir>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace {

// FOLDER\parking-dice\sounds for one of Windows' known folders, where
// Windows names it.
QStringList soundsIn(const KNOWNFOLDERID &folder)
{
    PWSTR path = nullptr;
    QStringList sounds;
    if (SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path) == S_OK)
        sounds << QDir::fromNativeSeparators(QString::fromWCharArray(path))
                      + QStringLiteral("/parking-dice/sounds");
    CoTaskMemFree(path);
    return sounds;
}

} // namespace

bool isReadableFile(const QString &path)
{
    const auto *native = reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16());
    const DWORD attributes = GetFileAttributesW(native);
    if (attributes == INVALID_FILE_ATTRIBUTES
        || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return false;
    // The folder's access list decides whether this user may read it.
    const HANDLE file
        = CreateFileW(native, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// %APPDATA%\parking-dice\sounds: the user's own chimes, roaming with a
// school's user profiles.
QStringList userCueFolders() { return soundsIn(FOLDERID_RoamingAppData); }

// %ProgramData%\parking-dice\sounds (C:\ProgramData\...): a school's chimes
// for every user, filled by an administrator or a deployment tool; an
// uninstall leaves it alone.
QStringList machineCueFolders() { return soundsIn(FOLDERID_ProgramData); }

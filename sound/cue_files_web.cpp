// The cue lookup in the browser: the cues lie in the page's own folder, in
// its `sounds` folder, where a school replaces them. Whether a file is there
// is known only once it is fetched, which the player does without waiting, so
// a bare name is handed on as the address of that file, relative to the page.

#include "sound/cue_files.h"

QString besideProgram(const char *relative) { return QString::fromUtf8(relative); }

QString locateCue(const QString &name, QStringList *looked)
{
    if (name.isEmpty())
        return {};
    const QString path = name.contains(u'/') ? name : besideProgram(PARKING_SOUND_DIR_FROM_BIN) + u'/' + name;
    if (looked)
        looked->append(path);
    return path;
}

#include "sound/cue_files.h"
#include "sound/cue_module.h"
#include "sound/sound_log.h"

#include <QLibrary>

const CueModule &cueModule()
{
    static const CueModule entries = [] {
        QLibrary module(besideProgram(PARKING_MODULE_DIR_FROM_BIN) + QStringLiteral("/parking-dice-sound"));
        CueModule found;
        found.createPlayer = reinterpret_cast<CreateCuePlayer *>(module.resolve(PARKING_CUE_PLAYER_ENTRY));
        if (!found.createPlayer) {
            qCDebug(soundLog) << "no sound: the sound module did not load:" << module.errorString();
            return found;
        }
        found.prepareOutput = reinterpret_cast<PrepareOutput *>(module.resolve(PARKING_PREPARE_OUTPUT_ENTRY));
        found.releaseOutput = reinterpret_cast<ReleaseOutput *>(module.resolve(PARKING_RELEASE_OUTPUT_ENTRY));
        return found;
    }();
    return entries;
}

#include "sound/cue_module.h"

extern "C" {
CreateCuePlayer parking_create_cue_player;
PrepareOutput parking_prepare_output;
ReleaseOutput parking_release_output;
}

const CueModule &cueModule()
{
    static const CueModule entries{parking_create_cue_player, parking_prepare_output, parking_release_output};
    return entries;
}

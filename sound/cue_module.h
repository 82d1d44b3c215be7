#pragma once

#include "sound/cue_player.h"

// The player's entry points as the sound thread finds them: in the platform's
// sound module, loaded on first use (cue_module_loaded.cpp), or linked into
// the program where the platform loads no modules (cue_module_built_in.cpp).
// Without a player there is no sound; the other two are called where they
// are there.
struct CueModule
{
    CreateCuePlayer *createPlayer = nullptr;
    PrepareOutput *prepareOutput = nullptr;
    ReleaseOutput *releaseOutput = nullptr;
};

// Looked up once, by the sound thread; a module that did not load says why
// in the sound log, once.
const CueModule &cueModule();

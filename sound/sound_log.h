#pragma once

#include <QLoggingCategory>

// Why a cue was not heard, and when the sound server was lost and found.
// Off by default; switched on with QT_LOGGING_RULES="parking.sound.debug=true".
// The sound thread and the sound module each hold it (sound_log.cpp).
Q_DECLARE_LOGGING_CATEGORY(soundLog)

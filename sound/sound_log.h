#pragma once

#include <QLoggingCategory>

// Why a cue was not heard. Off by default; switched on with
// QT_LOGGING_RULES="parking.sound.debug=true".
Q_DECLARE_LOGGING_CATEGORY(soundLog)

#include "sound/sound_log.h"

Q_LOGGING_CATEGORY(soundLog, "parking.sound", QtWarningMsg)

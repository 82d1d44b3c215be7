#pragma once

#include <QLoggingCategory>

// The sound module's part of the sound log (same category as the sound
// thread's, switched on with QT_LOGGING_RULES="parking.sound.debug=true").
Q_DECLARE_LOGGING_CATEGORY(pulseLog)

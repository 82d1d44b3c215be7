#pragma once

#include <QString>
#include <QStringList>

// Where a bare cue file name is looked for: the current folder, the program's
// own folder, the user's own cue folders, the machine's cue folders an
// administrator fills (cue_places.h), then the sound folder installed beside
// the program. Returns the
// first regular file there that this user may read, or an empty string; a
// name that is missing, unreadable or no regular file in one place does not
// hide the next place. `looked` collects the paths that were tried.
QString locateCue(const QString &name, QStringList *looked = nullptr);

// The folder beside the program that holds `relative`, as installed.
QString besideProgram(const char *relative);

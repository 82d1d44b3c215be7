#pragma once

#include <QString>
#include <QStringList>

// What the cue lookup asks of the platform, one file per platform.

// A regular file that this user may read.
bool isReadableFile(const QString &path);

// The user's own cue folders, looked in before the machine's.
QStringList userCueFolders();

// Folders an administrator fills for every user of the machine, looked in
// before the installed sounds, which an upgrade replaces.
QStringList machineCueFolders();

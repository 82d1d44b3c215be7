#pragma once

#include <QStringList>

// The 34 lines the help window prints, in order: the problem, then how to
// operate the main window. The indentation of each line is part of its text.
const QStringList &helpLines();

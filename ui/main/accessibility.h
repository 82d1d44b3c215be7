#pragma once

// Gives assistive technology names it can say for the controls whose state
// changes: the space buttons and counter arrows, named by their layout row and
// what the area shows now, and the log cells with their roll. Call once,
// after the application object exists.
void installAccessibleNames();

#pragma once

// Gives assistive technology names it can say where a caption is a sign: the
// arrows of the move counters, the circled digits of the space buttons (whose
// captions change as cars come and go) and the log cells with their roll
// number. Call once, after the application object exists.
void installAccessibleNames();

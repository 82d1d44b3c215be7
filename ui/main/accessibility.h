#pragma once

// Gives assistive technology names it can say where a caption is a sign: the
// arrows of the move counters, the circled digits of the space buttons (whose
// captions change as cars come and go), the log cells with their roll number,
// and the help window's printed text as text. Call once, after the
// application object exists.
void installAccessibleNames();

#pragma once

// Lets a screen reader read what the help window printed, as one text.
// Call once, after the application object exists.
void installHelpAccessibility();

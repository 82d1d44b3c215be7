#pragma once

class QWidget;

// The keys that press a window's push buttons, as on other desktops: a plain
// Space, as Qt has it, and Enter or Return, which Qt leaves to default buttons
// that these windows do not have. Space with Ctrl, Alt, Meta or Shift presses
// nothing: Ctrl+Space switches a Japanese input method on and off, and a
// pupil doing so must not start the die. Holding a key down presses once.
// Applies to the buttons the window has when it is called.
void pressButtonsWithKeys(QWidget *window);

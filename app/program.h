#pragma once

#include <functional>

class Form1;

// The program from start to end: the application, the main window shown and
// active, the event loop. `beforeShow` lets a measuring build look at the
// window; the program itself passes nothing.
int runProgram(int argc, char *argv[], const std::function<void(Form1 &)> &beforeShow = {});

// The program as the benchmark measures it: the same code, with the
// benchmark's probe on the main window and its die timer.

#include "app/form1.h"
#include "app/program.h"
#include "bench/bench_probe.h"

int main(int argc, char *argv[])
{
    return runProgram(argc, argv, [](Form1 &form) { installBenchProbe(&form, form.controls().Timer1); });
}

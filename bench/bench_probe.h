#pragma once

class QTimer;
class QWidget;

// Measurements for bench/run.sh, taken only when its environment variables
// ask for them; otherwise nothing is installed.
//   PARKING_BENCH_FIRST_FRAME=FILE  the monotonic clock (ns) once the window's first frame is on
//       the screen: the first paint done and flushed to the X server
//   PARKING_BENCH_QUIT_AFTER_FRAME=1  end the program right after that first frame
//   PARKING_BENCH_TICKS=FILE  the monotonic clock (ns) of every tick of `ticker`
//   PARKING_BENCH_REPAINT=FILE  per tick, the pixels of the window that were repainted
//   PARKING_BENCH_MEASURE_TICKS="SKIP COUNT"  after SKIP ticks, run COUNT ticks inside
//       benchMeasuredTicks() (for callgrind's --toggle-collect), then end the program
void installBenchProbe(QWidget *window, QTimer *ticker);

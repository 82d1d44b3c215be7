#pragma once

class QTimer;
class QWidget;

// Measurements for bench/run.sh, taken only when its environment variables
// ask for them; otherwise nothing is installed.
//   PARKING_BENCH_FIRST_PAINT=FILE  the monotonic clock (ns) when the window first paints
//   PARKING_BENCH_QUIT_AFTER_PAINT=1  end the program right after that first paint
//   PARKING_BENCH_TICKS=FILE  the monotonic clock (ns) of every tick of `ticker`
//   PARKING_BENCH_REPAINT=FILE  per tick, the pixels of the window that were repainted
void installBenchProbe(QWidget *window, QTimer *ticker);

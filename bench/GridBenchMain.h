#pragma once
// For benchmarks that keep widgets between runs: they must go while the
// application object still exists, before the program's own end.

#include <functional>

void atBenchmarksEnd(std::function<void()> cleanup);

#pragma once

// The common start of every benchmark program: offscreen unless a platform
// was chosen, a QApplication, then the registered benchmarks.

#include <functional>

namespace benchmark {
class BenchmarkReporter;
}

namespace bench {

// `registerMore` runs once the application exists (benchmarks that need
// widgets to decide what to register); `reporter` may add a summary.
int RunBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr,
                  const std::function<void()>& registerMore = {});

} // namespace bench

#pragma once

// The common start of every benchmark program: offscreen unless a platform
// was chosen, a QApplication, then the registered benchmarks.

#include <functional>
#include <initializer_list>
#include <map>
#include <string>

namespace benchmark {
class BenchmarkReporter;
}

namespace bench {

// `registerMore` runs once the application exists (benchmarks that need
// widgets to decide what to register); `reporter` may add a summary.
int RunBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr,
                  const std::function<void()>& registerMore = {});

// Prints each named time (microseconds) that was measured, with its ratio
// to the `baseline` entry's when that was measured too.
void PrintRatios(const std::map<std::string, double>& us, std::initializer_list<const char*> names,
                 const char* baseline, const char* ratioLabel);

} // namespace bench

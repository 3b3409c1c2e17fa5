#pragma once

// The common start of every benchmark program: offscreen unless a platform
// was chosen, a QApplication, then the registered benchmarks.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace bench {

// `registerMore` runs once the application exists (benchmarks that need
// widgets to decide what to register); `reporter` may add a summary.
int RunBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr,
                  const std::function<void()>& registerMore = {});

// The usual table, then a title and each named time (microseconds) that was
// measured, with its ratio to the `baseline` entry's when that was measured too.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // A run's time in microseconds, or none for a run that does not count.
    using TimeOf = std::function<std::optional<double>(const Run&)>;

    RatioReporter(std::string title, std::vector<std::string> names, std::string baseline, std::string ratioLabel,
                  TimeOf timeOf);
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::string title_;
    std::vector<std::string> names_;
    std::string baseline_;
    std::string ratioLabel_;
    TimeOf timeOf_;
    // By function name.
    std::map<std::string, double> us_;
};

} // namespace bench

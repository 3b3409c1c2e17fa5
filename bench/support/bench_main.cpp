#include "bench_main.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace bench {

int RunBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter,
                  const std::function<void()>& registerMore) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (registerMore)
        registerMore();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return 0;
}

RatioReporter::RatioReporter(std::string title, std::vector<std::string> names, std::string baseline,
                             std::string ratioLabel, TimeOf timeOf)
    : title_(std::move(title)), names_(std::move(names)), baseline_(std::move(baseline)),
      ratioLabel_(std::move(ratioLabel)), timeOf_(std::move(timeOf)) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
        if (const std::optional<double> us = run.error_occurred ? std::nullopt : timeOf_(run))
            us_[run.run_name.function_name] = *us;
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%s\n", title_.c_str());
    const auto base = us_.find(baseline_);
    for (const std::string& name : names_) {
        const auto it = us_.find(name);
        if (it == us_.end())
            continue;
        if (base != us_.end() && base->second > 0)
            std::printf("%-22s %10.3f  /%s %8.4f\n", name.c_str(), it->second, ratioLabel_.c_str(),
                        it->second / base->second);
        else
            std::printf("%-22s %10.3f\n", name.c_str(), it->second);
    }
}

} // namespace bench

#include "bench_main.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

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

} // namespace bench

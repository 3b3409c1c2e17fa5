#include "bench_main.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
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

void PrintRatios(const std::map<std::string, double>& us, std::initializer_list<const char*> names,
                 const char* baseline, const char* ratioLabel) {
    const auto base = us.find(baseline);
    for (const char* name : names) {
        const auto it = us.find(name);
        if (it == us.end())
            continue;
        if (base != us.end() && base->second > 0)
            std::printf("%-22s %10.3f  /%s %8.4f\n", name, it->second, ratioLabel, it->second / base->second);
        else
            std::printf("%-22s %10.3f\n", name, it->second);
    }
}

} // namespace bench

// Google Benchmark's main, except that the run gets a temporary folder,
// HOME and XDG folders of its own and no display (tests/RunSandbox.h), so
// that no case reaches the user's saves, settings or screen, whatever the
// caller exported; and that a case that errors (SkipWithError: the world
// not built, no X server, a game that was not where its case said) fails
// the program, so `make bench` never passes over a case that measured
// nothing.
#include "BenchErrorCount.h"

#include "tests/RunSandbox.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    const RunSandbox sandbox(false, RunSandbox::Display::Drop);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const std::unique_ptr<benchmark::BenchmarkReporter> display(benchmark::CreateDefaultDisplayReporter());
    BenchErrorCount counted(*display);
    benchmark::RunSpecifiedBenchmarks(&counted);
    benchmark::Shutdown();
    if (counted.Errors() > 0) {
        std::fprintf(stderr, "%d benchmark case(s) failed: see \"ERROR OCCURRED\" above\n", counted.Errors());
        return 1;
    }
    return 0;
}

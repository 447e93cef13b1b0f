#pragma once

#include <benchmark/benchmark.h>

#include <vector>

// A reporter that hands every report to the reporter the command line asked
// for (--benchmark_format) and counts the runs that ended in an error.
class BenchErrorCount : public benchmark::BenchmarkReporter {
public:
    explicit BenchErrorCount(benchmark::BenchmarkReporter& shown)
        : shown(shown)
    {
    }

    bool ReportContext(const Context& context) override { return shown.ReportContext(context); }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.error_occurred)
                ++errors;
        shown.ReportRuns(runs);
    }

    void Finalize() override { shown.Finalize(); }

    int Errors() const { return errors; }

private:
    benchmark::BenchmarkReporter& shown;
    int errors = 0;
};

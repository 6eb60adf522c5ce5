#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

// Runs the baseline and the measured step by turns, so that both meet the same load on a
// shared machine, and reports both times and their ratio.
template <typename Baseline, typename Measured>
void paired(benchmark::State &state, Baseline baseline, Measured measured)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration baseTime{}, measuredTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!baseline())
            state.SkipWithError("baseline failed");
        const auto middle = Clock::now();
        if (!measured())
            state.SkipWithError("measured step failed");
        baseTime += middle - start;
        measuredTime += Clock::now() - middle;
    }
    const double iterations = double(state.iterations());
    const auto ms = [&](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() / iterations;
    };
    state.counters["baseline_ms"] = ms(baseTime);
    state.counters["measured_ms"] = ms(measuredTime);
    state.counters["ratio"] = ms(measuredTime) / ms(baseTime);
}

// Keeps the median of each pair's counters for the table printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            const std::string name = run.benchmark_name();
            pairs[name.substr(0, name.find('/'))] = run.counters;
        }
    }
    std::map<std::string, benchmark::UserCounters> pairs;
};

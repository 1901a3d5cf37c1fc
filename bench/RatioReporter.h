#pragma once
// A console reporter that, after the runs, prints for every benchmark named
// "<topic>/<variant>" its ratio to "<topic>/baseline" measured in the same run,
// in wall time and in CPU time. With repetitions the median stands for a benchmark.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            // With repetitions the median stands for the benchmark; else its one run.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            else if (run.run_type == Run::RT_Iteration && !medians_.count(name))
                times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, time] : medians_)
            times_[name] = time;
        std::printf("\nRatios to the baseline measured in this run (wall time; CPU time):\n");
        for (const auto& [name, time] : times_) {
            const auto slash = name.find('/');
            if (slash == std::string::npos || name.substr(slash + 1) == "baseline")
                continue;
            const auto base = times_.find(name.substr(0, slash) + "/baseline");
            if (base == times_.end() || base->second.wall <= 0 || base->second.cpu <= 0)
                continue;
            std::printf("  %-34s %9.3f vs %9.3f  ratio %.3f;  cpu %9.3f vs %9.3f  ratio %.3f\n", name.c_str(),
                        time.wall, base->second.wall, time.wall / base->second.wall, time.cpu, base->second.cpu,
                        time.cpu / base->second.cpu);
        }
    }

private:
    struct Times {
        double wall = 0, cpu = 0;
    };
    std::map<std::string, Times> times_;
    std::map<std::string, Times> medians_;
};

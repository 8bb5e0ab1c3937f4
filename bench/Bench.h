// The benchmark registry: each measurement registers a name and a body; the runner times the body
// several times and prints the median in milliseconds and megapixels per second.
#pragma once

#include <functional>
#include <string>

struct BenchCase {
    std::string name;
    double megapixels = 0;       // work per run, for the rate; 0 prints no rate
    std::function<void()> setup; // once, untimed
    std::function<void()> run;   // timed
    int runs = 5;
    // Untimed, after the runs: prints what follows from this and earlier medians (MedianOf).
    std::function<void()> report{};
};

bool RegisterBench(BenchCase bench);

// The median in milliseconds of a case already run in this process; 0 when it has not run.
double MedianOf(const std::string& name);

// A scratch folder for the benchmark's own input files (ends in a backslash).
const std::wstring& BenchFolder();

// The benchmark registry: each measurement registers a name and a body; the runner times the body
// several times and prints the median in milliseconds and megapixels per second.
#pragma once

#include <functional>
#include <string>

struct BenchCase {
    std::string name;
    double megapixels = 0; // work per run, for the rate; 0 prints no rate
    std::function<void()> setup; // once, untimed
    std::function<void()> run;   // timed
    int runs = 5;
};

bool RegisterBench(BenchCase bench);

// A scratch folder for the benchmark's own input files (ends in a backslash).
const std::wstring& BenchFolder();

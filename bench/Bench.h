// The benchmark registry: each measurement registers a name and a body; the runner times the body
// several times and prints the median in milliseconds and megapixels per second, or FAILED.
#pragma once

#include <functional>
#include <memory>
#include <string>

struct BenchCase {
    std::string name;
    double megapixels = 0;       // work per run, for the rate; 0 prints no rate
    std::function<void()> setup; // once, untimed
    std::function<void()> run;   // timed
    int runs = 5;
    // Untimed, after the runs: prints what follows from this and earlier medians (MedianOf).
    std::function<void()> report{};
    // Set only on the entry RegisterBenchCleanup makes.
    std::function<void()> cleanup{};
};

bool RegisterBench(BenchCase bench);

// Registered after a file's cases: releases the large inputs they keep between them (pictures,
// canvases, grids) once they have run, whatever the name filter. All cases share one 32-bit
// address space: inputs kept to the end leave too little of it for the cases after them.
bool RegisterBenchCleanup(std::function<void()> release);

// Says whether a step of the running case's work (its setup, a run or its report) succeeded; gives
// back ok. A failed step fails the case: it prints FAILED with the first failed step instead of its
// figures (after them, for a step of its report), its remaining runs and report are skipped, and
// the program ends with a non-zero exit code once the other cases have run. Every step whose
// failure would leave less work to time is checked, so nothing failed is timed as done.
bool BenchCheck(bool ok, const char* what);

// An input a file's cases share (a canvas, a grid, an engine): made on first use, let go by the
// file's cleanup.
template <typename T> class BenchKept {
public:
    T& get() {
        if (!held_) held_ = std::make_unique<T>();
        return *held_;
    }
    void Release() { held_.reset(); }

private:
    std::unique_ptr<T> held_;
};

// The median in milliseconds of a case already run in this process; 0 when it has not run.
double MedianOf(const std::string& name);

// A scratch folder for the benchmark's own input files (ends in a backslash).
const std::wstring& BenchFolder();

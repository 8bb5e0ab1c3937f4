#include "bench/Bench.h"

#include "platform/AppState.h"
#include "platform/GdiplusSession.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <cstdio>
#include <vector>

namespace {
std::vector<BenchCase>& Registry() {
    static std::vector<BenchCase> cases;
    return cases;
}

std::map<std::string, double>& Medians() {
    static std::map<std::string, double> medians;
    return medians;
}

// The first failed step of the running case; empty while none failed.
std::string& Failure() {
    static std::string failure;
    return failure;
}
} // namespace

bool BenchCheck(bool ok, const char* what) {
    if (!ok && Failure().empty()) Failure() = what;
    return ok;
}

double MedianOf(const std::string& name) {
    auto found = Medians().find(name);
    return found == Medians().end() ? 0 : found->second;
}

bool RegisterBench(BenchCase bench) {
    Registry().push_back(std::move(bench));
    return true;
}

bool RegisterBenchCleanup(std::function<void()> release) {
    BenchCase entry;
    entry.cleanup = std::move(release);
    Registry().push_back(std::move(entry));
    return true;
}

const std::wstring& BenchFolder() {
    static const std::wstring folder = [] {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        std::wstring f = std::wstring(temp) + L"vellumo-bench\\";
        ::CreateDirectoryW(f.c_str(), nullptr);
        return f;
    }();
    return folder;
}

int wmain(int argc, wchar_t** argv) {
    GdiplusSession gdiplus;
    if (!gdiplus.Ok()) return 1;
    ResetAppState(BenchFolder());
    App().GdiplusToken = gdiplus.Token();
    std::string filter;
    if (argc > 1)
        for (const wchar_t* p = argv[1]; *p; ++p) filter += static_cast<char>(*p);

    std::printf("%-58s %10s %10s\n", "benchmark (median)", "ms", "MP/s");
    int failed = 0;
    const auto reportFailure = [&failed](const std::string& name) {
        std::printf("%-58s %10s  %s\n", name.c_str(), "FAILED", Failure().c_str());
        std::fflush(stdout);
        ++failed;
    };
    for (BenchCase& b : Registry()) {
        if (b.cleanup) {
            b.cleanup();
            continue;
        }
        if (!filter.empty() && b.name.find(filter) == std::string::npos) continue;
        Failure().clear();
        if (b.setup) b.setup();
        std::vector<double> times;
        for (int i = 0; i < std::max(1, b.runs) && Failure().empty(); ++i) {
            auto t0 = std::chrono::steady_clock::now();
            b.run();
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
        if (!Failure().empty()) {
            reportFailure(b.name);
            continue;
        }
        std::sort(times.begin(), times.end());
        const double ms = times[times.size() / 2];
        Medians()[b.name] = ms;
        if (b.megapixels > 0)
            std::printf("%-58s %10.1f %10.1f\n", b.name.c_str(), ms, b.megapixels / (ms / 1000.0));
        else
            std::printf("%-58s %10.1f %10s\n", b.name.c_str(), ms, "-");
        if (b.report) b.report();
        if (!Failure().empty()) {
            Medians().erase(b.name);
            reportFailure(b.name);
        }
        std::fflush(stdout);
    }
    if (failed > 0) {
        std::printf("%d benchmark(s) FAILED: their work did not succeed\n", failed);
        return 1;
    }
    return 0;
}

// The PDF queue scripts/test starts for the print tests (scripts/print-queue.sh), read as Wine sees
// it on drive Z:: the PNG pages of the PDFs cups-pdf writes into VELLUMO_PRINT_OUT, and the
// spooler's log in VELLUMO_PRINT_LOG. A job the spooler fails still gives a PDF, a blank one, so
// the log is what tells a failed job from a printed one.
#pragma once

#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace output_test {

// One job as the spooler ended it.
struct EndedJob {
    bool ended = false;            // false: not ended within the wait
    std::vector<GdipBitmap> pages; // the pages of the PDFs finished since the last job
    std::string errors;            // the spooler's error lines logged since the last job
};

class PdfQueue {
public:
    // Takes what the queue has done so far as done.
    PdfQueue() {
        out_ = UnixFolder("VELLUMO_PRINT_OUT");
        log_ = UnixFolder("VELLUMO_PRINT_LOG");
        if (!Started()) return;
        ended_ = EndedJobs();
        errorsFrom_ = ReadTestFile(log_ + L"error_log").size();
        (void)NewPages();
    }
    bool Started() const { return !out_.empty() && !log_.empty(); }
    const std::wstring& LogFolder() const { return log_; }

    // Waits (up to three minutes: a loaded machine takes one) until the spooler has ended one more
    // job, then takes its pages (cups-pdf finishes them before the spooler ends the job) and errors.
    EndedJob NextJob() {
        EndedJob job;
        for (int wait = 0; wait < 1800 && !job.ended; ++wait) {
            TestWindow::Pump(100);
            job.ended = EndedJobs() > ended_;
        }
        ++ended_;
        job.pages = NewPages();
        const std::string log = ReadTestFile(log_ + L"error_log");
        std::istringstream lines(log.substr(std::min(errorsFrom_, log.size())));
        errorsFrom_ = log.size();
        for (std::string line; std::getline(lines, line);)
            if (line.size() > 2 && std::string("EACX").find(line[0]) != std::string::npos && line[1] == ' ')
                job.errors += line + "\n";
        return job;
    }

private:
    static std::wstring UnixFolder(const char* variable) {
        const char* path = std::getenv(variable);
        if (!path || !*path) return {};
        std::wstring folder = L"Z:";
        for (const char* c = path; *c; ++c) folder += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
        return folder + L"\\";
    }
    // The spooler logs a "total" line for every job it ends, printed, failed or cancelled.
    size_t EndedJobs() const {
        std::istringstream lines(ReadTestFile(log_ + L"page_log"));
        size_t n = 0;
        for (std::string line; std::getline(lines, line);) n += line.find("] total ") != std::string::npos;
        return n;
    }
    // The PNG pages of the PDFs marked done and not seen before, in the order of their names.
    std::vector<GdipBitmap> NewPages() {
        std::vector<GdipBitmap> pages;
        for (const std::wstring& name : FileNamesIn(out_)) {
            if (name.size() < 5 || name.compare(name.size() - 5, 5, L".done") != 0) continue;
            const std::wstring stem = name.substr(0, name.size() - 5);
            if (!seen_.insert(stem).second) continue;
            for (int n = 1;; ++n) {
                GdipBitmap page;
                const std::wstring png = out_ + stem + L"-" + std::to_wstring(n) + L".png";
                if (GdipCreateBitmapFromFile(png.c_str(), page.put()) != Ok) break;
                pages.push_back(std::move(page));
            }
        }
        return pages;
    }

    std::wstring out_, log_;
    std::set<std::wstring> seen_;
    size_t ended_ = 0;
    size_t errorsFrom_ = 0;
};

// Success when the spooler ended the job without an error; otherwise its own words.
inline ::testing::AssertionResult EndedWithoutError(const EndedJob& job, const PdfQueue& queue) {
    if (!job.ended)
        return ::testing::AssertionFailure()
               << "the spooler did not end the job within three minutes; its log: " << Narrow(queue.LogFolder())
               << "error_log";
    if (!job.errors.empty()) return ::testing::AssertionFailure() << "the spooler failed the job:\n" << job.errors;
    return ::testing::AssertionSuccess();
}

} // namespace output_test

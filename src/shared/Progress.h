#pragma once
// Progress of a long command (calibration fit, optimisation, plot sweep).
// The Qt side shows a modal progress dialog; tests record the reports.
#include <string>
#include <vector>

namespace tarvisol {

class Progress {
public:
    virtual ~Progress() = default;
    // stage: what is running; done/total: work units; detail: e.g. the best so far.
    virtual void Report(const std::string& stage, long done, long total, const std::string& detail = {}) = 0;
    // True when the user asked to stop; long commands check it between units.
    virtual bool Cancelled() const { return false; }
    // The work is over: a progress dialog closes here, before the command's
    // closing messages and questions.
    virtual void Finish() {}
};

class NullProgress : public Progress {
public:
    void Report(const std::string&, long, long, const std::string&) override {}
};

class RecordingProgress : public Progress {
public:
    struct Entry {
        std::string stage;
        long done;
        long total;
        std::string detail;
    };
    void Report(const std::string& stage, long done, long total, const std::string& detail = {}) override {
        entries.push_back({stage, done, total, detail});
    }
    bool Cancelled() const override { return cancel || (cancelAfter > 0 && static_cast<long>(entries.size()) >= cancelAfter); }
    void Finish() override { ++finished; }
    std::vector<Entry> entries;
    bool cancel = false;
    long cancelAfter = 0;  // when above 0: the user stops once this many reports have come
    int finished = 0;
};

}  // namespace tarvisol

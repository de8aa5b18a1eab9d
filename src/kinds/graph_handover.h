// How sampled data reaches the graph document: the request a sampler hands over, the
// receiver the owning program installs, and the progress of one sampling.
#pragma once

#include <functional>

#include "data/array_cls.h"
#include "data/grp_date2d.h"

// What a sampler hands to the graph document.
struct GraphRequest {
    GrpDate2D* data = nullptr;
    int axisflag_array[2] = {1, 0};
    const char* ax_title[4] = {"関数の値", "変数の値", nullptr, nullptr};
    char date_title[80] = {};
    ArrayCls<int>* mrk_kind = nullptr;
    int x_divnum = 10;
    int y_divnum = 10;
};

// The graph document's entry for sampled data (AddNewGraphDate with the window's scroll
// offsets); installed by the program that owns the document. Returns what it returns.
using GraphReceiver = std::function<int(GraphRequest& request)>;
void Set_GraphReceiver(GraphReceiver receiver);

// Sampling tells the installed hook how far it is: 0 as it starts, 1 as it ends (whatever the
// outcome), and the fraction done every few hundred samples. A hook that answers false
// abandons the drawing: nothing is handed to the graph, and no message is shown. Without a
// hook sampling runs to its end.
using ProgressHook = std::function<bool(double done)>;
void Set_ProgressHook(ProgressHook hook);

// Hands the request to the installed receiver: 1, or 0 when none is installed.
int Hand_ToReceiver(GraphRequest& request);

// One sampling's progress, for the installed hook.
class SamplingProgress {
public:
    SamplingProgress();
    ~SamplingProgress();
    SamplingProgress(const SamplingProgress&) = delete;
    SamplingProgress& operator=(const SamplingProgress&) = delete;
    // False when the drawing was abandoned; asks the hook every 256 samples.
    bool Continue(double done, double total);
    // As Continue(done_at(m), total) for m = 0, 1, ... count - 1 in turn, up to the first
    // false, but only the samples where the hook is asked are visited. *refused receives the
    // m that was answered false.
    template <class DoneAt>
    bool ContinueRun(long count, double total, DoneAt done_at, long* refused = nullptr) {
        if (!Hooked()) return true;
        const unsigned start = samples_;
        for (long m = 255 - static_cast<long>(start & 255u); m < count; m += 256) {
            samples_ = start + static_cast<unsigned>(m) + 1u;
            if (!Ask(done_at(m), total)) {
                if (refused != nullptr) *refused = m;
                return false;
            }
        }
        samples_ = start + static_cast<unsigned>(count);
        return true;
    }

private:
    static bool Hooked();
    static bool Ask(double done, double total);

    unsigned samples_ = 0;
};

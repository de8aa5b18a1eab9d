// How sampled data reaches the graph document (see the header).
#include "kinds/graph_handover.h"

#include <algorithm>
#include <utility>

namespace {
GraphReceiver graph_receiver;
ProgressHook progress_hook;
}  // namespace

void Set_GraphReceiver(GraphReceiver receiver) { graph_receiver = std::move(receiver); }

void Set_ProgressHook(ProgressHook hook) { progress_hook = std::move(hook); }

int Hand_ToReceiver(GraphRequest& request) {
    if (!graph_receiver) return 0;
    graph_receiver(request);
    return 1;
}

SamplingProgress::SamplingProgress() {
    if (progress_hook) progress_hook(0.0);
}

SamplingProgress::~SamplingProgress() {
    if (progress_hook) progress_hook(1.0);
}

bool SamplingProgress::Continue(double done, double total) {
    if (!progress_hook || (++samples_ & 255u) != 0) return true;
    return Ask(done, total);
}

bool SamplingProgress::Hooked() { return static_cast<bool>(progress_hook); }

bool SamplingProgress::Ask(double done, double total) {
    const double fraction = total > 0.0 ? done / total : 0.0;
    return progress_hook(std::min(0.999, std::max(1e-9, fraction)));
}

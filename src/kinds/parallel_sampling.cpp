// Chunked sampling over the cores (see the header).
#include "kinds/parallel_sampling.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {
std::atomic<int> chosen_threads{0};
constexpr int kMostThreads = 64;
}  // namespace

int Sampling_Threads() {
    const int chosen = chosen_threads.load();
    if (chosen > 0) return std::min(chosen, kMostThreads);
    int threads = static_cast<int>(std::thread::hardware_concurrency());
    if (threads < 1) threads = 1;
    if (const char* cap = std::getenv("PLOTARI_THREADS")) {
        char* end = nullptr;
        const long value = std::strtol(cap, &end, 10);
        if (end != cap && *end == '\0' && value >= 1) {
            threads = static_cast<int>(std::min<long>(threads, value));
        }
    }
    return std::min(threads, kMostThreads);
}

void Set_SamplingThreads(int threads) { chosen_threads.store(threads > 0 ? threads : 0); }

bool Run_Chunks(size_t chunks, int threads, const std::function<void(size_t)>& work,
                const std::function<bool(size_t)>& report) {
    if (threads <= 1 || chunks <= 1) {
        for (size_t c = 0; c < chunks; ++c) {
            work(c);
            if (!report(c)) return false;
        }
        return true;
    }

    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};
    std::unique_ptr<std::atomic<bool>[]> done(new std::atomic<bool>[chunks]);
    for (size_t c = 0; c < chunks; ++c) done[c].store(false);
    std::mutex mutex;
    std::condition_variable finished;
    std::exception_ptr failure;  // guarded by mutex
    std::atomic<bool> failed{false};

    // Takes the next chunk nobody has taken; false when none is left or the run stopped.
    auto take_one = [&]() {
        if (stop.load()) return false;
        const size_t c = next.fetch_add(1);
        if (c >= chunks) return false;
        try {
            work(c);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            if (!failure) failure = std::current_exception();
            failed.store(true);
            stop.store(true);
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            done[c].store(true);
        }
        finished.notify_all();
        return true;
    };

    const size_t helpers = std::min(chunks, static_cast<size_t>(threads)) - 1;
    std::vector<std::thread> pool;
    pool.reserve(helpers);
    for (size_t t = 0; t < helpers; ++t) {
        pool.emplace_back([&] {
            while (take_one()) {
            }
        });
    }

    bool completed = true;
    for (size_t reported = 0; reported < chunks;) {
        if (done[reported].load()) {
            if (failed.load()) break;
            if (!report(reported)) {
                completed = false;
                break;
            }
            ++reported;
        } else if (!take_one()) {
            // Every chunk is taken: wait for the one to report next.
            std::unique_lock<std::mutex> lock(mutex);
            finished.wait(lock, [&] { return done[reported].load() || failed.load(); });
            if (!done[reported].load()) break;
        }
    }
    stop.store(true);
    for (std::thread& thread : pool) thread.join();
    if (failure) std::rethrow_exception(failure);
    return completed;
}

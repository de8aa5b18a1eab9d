// Chunked sampling over the cores (see the header).
#include "kinds/parallel_sampling.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
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

    // A chunk done but not yet reported holds its results: no chunk is started more than
    // `lead` chunks ahead of the one to report next, which bounds that memory.
    const size_t lead = 4 * static_cast<size_t>(threads);
    std::mutex mutex;
    std::condition_variable changed;
    // Under the mutex:
    size_t next = 0;
    size_t reported = 0;
    bool stop = false;
    std::exception_ptr failure;  // of the lowest chunk that failed: one thread meets it first
    size_t failed_chunk = chunks;
    std::vector<char> done(chunks, 0);

    auto claim = [&](size_t* c) {
        if (stop || next >= chunks || next >= reported + lead) return false;
        *c = next++;
        return true;
    };
    // Works on chunk c with the mutex released. After a failure no new chunk is started, but
    // those before it were all taken already and still finish.
    auto work_on = [&](std::unique_lock<std::mutex>& lock, size_t c) {
        lock.unlock();
        std::exception_ptr thrown;
        try {
            work(c);
        } catch (...) {
            thrown = std::current_exception();
        }
        lock.lock();
        if (thrown && c < failed_chunk) {
            failure = thrown;
            failed_chunk = c;
            stop = true;
        }
        done[c] = 1;
        changed.notify_all();
    };
    auto helper = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            size_t c = 0;
            if (claim(&c)) {
                work_on(lock, c);
            } else if (stop || next >= chunks) {
                return;
            } else {
                changed.wait(lock);
            }
        }
    };

    std::vector<std::thread> pool;
    auto finish = [&] {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        changed.notify_all();
        for (std::thread& thread : pool) thread.join();
    };
    const size_t helpers = std::min(chunks, static_cast<size_t>(threads)) - 1;
    pool.reserve(helpers);
    for (size_t t = 0; t < helpers; ++t) {
        try {
            pool.emplace_back(helper);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the ones started and this one do the work
        }
    }

    // The chunks are reported in order up to the first that failed, whose failure is then
    // thrown, as one thread would have met it; 中止 before it ends the run quietly.
    bool completed = true;
    std::exception_ptr raised;
    try {
        std::unique_lock<std::mutex> lock(mutex);
        while (reported < chunks) {
            size_t c = reported;
            if (done[c]) {
                if (c == failed_chunk) {
                    raised = failure;
                    break;
                }
                lock.unlock();
                const bool go_on = report(c);
                lock.lock();
                if (!go_on) {
                    completed = false;
                    break;
                }
                ++reported;
                changed.notify_all();  // the lead has moved on
            } else if (claim(&c)) {
                work_on(lock, c);
            } else {
                changed.wait(lock);
            }
        }
    } catch (...) {
        raised = std::current_exception();  // a report ran out of memory
    }
    finish();
    if (raised) std::rethrow_exception(raised);
    return completed;
}

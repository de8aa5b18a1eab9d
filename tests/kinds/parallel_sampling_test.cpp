// The threaded samplers: chunks are reported in order whatever thread finished them, the
// progress heard and 中止 are those of one thread, memory running out on a helper thread
// reaches the caller, and sampled values are the point evaluator's.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "formula/calc_bin_tree.h"
#include "kinds/parallel_sampling.h"
#include "kinds/samplers.h"
#include "platform/recording_message_sink.h"

namespace {

TEST(RunChunks, ReportsEveryChunkOnceInOrderOnTheCallingThread) {
    for (int threads : {1, 2, 3, 7}) {
        for (size_t chunks : {0u, 1u, 2u, 5u, 64u}) {
            std::vector<std::atomic<int>> worked(chunks);
            std::vector<size_t> reported;
            std::mt19937 generator(static_cast<unsigned>(chunks * 31 + threads));
            std::vector<int> delays(chunks);
            for (int& d : delays) d = static_cast<int>(generator() % 300);
            const auto caller = std::this_thread::get_id();
            bool on_caller = true;
            EXPECT_TRUE(Run_Chunks(
                chunks, threads,
                [&](size_t c) {
                    std::this_thread::sleep_for(std::chrono::microseconds(delays[c]));
                    ++worked[c];
                },
                [&](size_t c) {
                    on_caller = on_caller && std::this_thread::get_id() == caller;
                    EXPECT_EQ(worked[c].load(), 1) << "reported before it was done";
                    reported.push_back(c);
                    return true;
                }));
            std::vector<size_t> in_order(chunks);
            for (size_t c = 0; c < chunks; ++c) in_order[c] = c;
            EXPECT_EQ(reported, in_order) << threads << " threads, " << chunks << " chunks";
            EXPECT_TRUE(on_caller);
            for (size_t c = 0; c < chunks; ++c) EXPECT_EQ(worked[c].load(), 1);
        }
    }
}

// Results wait for their turn to be reported, but never many of them.
TEST(RunChunks, WorkRunsAtMostALeadAheadOfTheReports) {
    for (int threads : {2, 3, 7}) {
        std::atomic<size_t> reported{0};
        std::atomic<size_t> furthest_lead{0};
        Run_Chunks(
            500, threads,
            [&](size_t c) {
                const size_t lead = c - std::min(c, reported.load());
                size_t seen = furthest_lead.load();
                while (lead > seen && !furthest_lead.compare_exchange_weak(seen, lead)) {
                }
            },
            [&](size_t) {
                // A slow reporter: the workers would run far ahead if nothing held them.
                std::this_thread::sleep_for(std::chrono::microseconds(20));
                ++reported;
                return true;
            });
        EXPECT_LT(furthest_lead.load(), 4u * static_cast<size_t>(threads)) << threads;
        EXPECT_EQ(reported.load(), 500u);
    }
}

TEST(RunChunks, AFalseReportStopsAndAThrowReachesTheCaller) {
    for (int threads : {1, 2, 7}) {
        std::vector<size_t> reported;
        EXPECT_FALSE(Run_Chunks(
            100, threads, [](size_t) {},
            [&](size_t c) {
                reported.push_back(c);
                return c < 3;
            }));
        EXPECT_EQ(reported, (std::vector<size_t>{0, 1, 2, 3})) << threads;

        reported.clear();
        EXPECT_THROW(Run_Chunks(
                         100, threads,
                         [](size_t c) {
                             if (c == 40) throw std::bad_alloc();
                         },
                         [&](size_t c) {
                             reported.push_back(c);
                             return true;
                         }),
                     std::bad_alloc)
            << threads;
        // Other threads may reach the failing chunk before the caller reports anything.
        if (threads == 1) {
            EXPECT_EQ(reported.size(), 40u);
        }
        EXPECT_LE(reported.size(), 40u) << "a chunk after the failure was reported";
        for (size_t i = 0; i < reported.size(); ++i) EXPECT_EQ(reported[i], i);
    }
}

// What the installed hook hears, and what reaches the graph, for one drawing.
struct Heard {
    std::vector<double> progress;
    std::vector<double> points;
    int result = -1;
    int handed_over = 0;
};

class ThreadedSamplers : public ::testing::Test {
protected:
    void SetUp() override {
        g_mathlist.Clear();
        Set_GraphReceiver([this](GraphRequest& request) {
            ++heard_.handed_over;
            PointArray& series = (*request.data)[0];
            for (int i = 0; i < series.ArrayNum(); ++i) {
                heard_.points.push_back(series[i].x);
                heard_.points.push_back(series[i].y);
            }
            return 1;
        });
    }
    void TearDown() override {
        Set_GraphReceiver(nullptr);
        Set_ProgressHook(nullptr);
        Set_SamplingThreads(0);
        g_mathlist.Clear();
    }
    // Draws with the hook answering false at its call number `stop_at` (0: never).
    Heard Draw(int threads, size_t stop_at, const std::function<int()>& draw) {
        Set_SamplingThreads(threads);
        heard_ = Heard();
        Set_ProgressHook([this, stop_at](double done) {
            heard_.progress.push_back(done);
            return stop_at == 0 || heard_.progress.size() != stop_at;
        });
        heard_.result = draw();
        return heard_;
    }

    Heard heard_;
    RecordingMessageSink boxes_;
};

bool Same(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST_F(ThreadedSamplers, ProgressAndAbandoningAreThoseOfOneThread) {
    char x[256] = "x";
    char y[256] = "y";
    double lo = -2.0, hi = 2.0, ylo = -2.0, yhi = 2.0;
    int n = 60000, ny = 4;
    ASSERT_EQ(FnReg_Explicit("sin(x)*x", x, &lo, &hi, &n), 1);
    MathForm* curve = g_mathlist[g_mathlist.PutElementNum() - 1];
    n = 400;
    ny = 300;
    ASSERT_EQ(FnReg_Inplicit("x^2+y^2-1", x, &lo, &hi, &n, y, &ylo, &yhi, &ny), 1);
    MathForm* circle = g_mathlist[g_mathlist.PutElementNum() - 1];
    n = 70000;
    ny = 3;
    ASSERT_EQ(FnReg_Inplicit("sin(9*x)", x, &lo, &hi, &n, y, &ylo, &yhi, &ny), 1);
    MathForm* lines = g_mathlist[g_mathlist.PutElementNum() - 1];
    const std::function<int()> draws[] = {
        [&] { return ShowResult_Graph_Expl(nullptr, curve, "c", g_ufunc_list); },
        [&] { return ShowResult_Graph_Inpl(nullptr, circle, "o", g_ufunc_list); },
        [&] { return ShowResult_Graph_Inpl(nullptr, lines, "l", g_ufunc_list); },
    };
    for (const auto& draw : draws) {
        const Heard whole = Draw(1, 0, draw);
        ASSERT_EQ(whole.result, 1);
        ASSERT_GT(whole.progress.size(), 20u);
        for (size_t stop_at : {size_t{0}, size_t{2}, size_t{9}, whole.progress.size() - 1}) {
            const Heard one = Draw(1, stop_at, draw);
            for (int threads : {2, 3, 7}) {
                const Heard many = Draw(threads, stop_at, draw);
                EXPECT_EQ(many.result, one.result) << threads << " stop " << stop_at;
                EXPECT_EQ(many.handed_over, one.handed_over) << threads << " stop " << stop_at;
                EXPECT_TRUE(Same(many.progress, one.progress)) << threads << " stop " << stop_at;
                EXPECT_TRUE(Same(many.points, one.points)) << threads << " stop " << stop_at;
            }
            if (stop_at != 0) {
                EXPECT_EQ(one.result, 0);
                EXPECT_EQ(one.handed_over, 0);
                EXPECT_EQ(one.progress.back(), 1.0);  // the end is heard after 中止 too
            }
        }
    }
    EXPECT_TRUE(boxes_.boxes.empty());
}

// The sampled values are the point evaluator's, bit for bit, at every point.
TEST_F(ThreadedSamplers, ValuesAreThePointEvaluatorsOnEveryThreadCount) {
    char x[256] = "x";
    double lo = -3.0, hi = 3.0;
    int n = 50000;
    ASSERT_EQ(FnReg_Explicit("exp(-x^2)*sin(10*x)+sigma[k(1,3),x^k/k]", x, &lo, &hi, &n), 1);
    MathForm* form = g_mathlist[0];
    for (int threads : {1, 2, 7}) {
        const Heard heard = Draw(
            threads, 0, [&] { return ShowResult_Graph_Expl(nullptr, form, "f", g_ufunc_list); });
        ASSERT_EQ(heard.result, 1);
        ASSERT_EQ(heard.points.size(), 2u * 50001u);
        double* cell = &form->var_array["x"];
        for (size_t i = 0; i < heard.points.size(); i += 2) {
            *cell = heard.points[i];
            int flag = 1;
            const double pointwise =
                BinTreeFunc(form->the_formtop, &flag, form->var_array, g_ufunc_list, EmptyArray);
            ASSERT_EQ(std::memcmp(&pointwise, &heard.points[i + 1], sizeof pointwise), 0)
                << "x = " << heard.points[i] << " on " << threads;
        }
    }
}

}  // namespace

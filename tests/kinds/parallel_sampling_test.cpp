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

// As one thread would: the chunks before a failing one are reported, then its failure is
// thrown; 中止 before the failing chunk ends the run quietly; a report that throws (memory
// running out while storing points) reaches the caller too, on every thread count.
TEST(RunChunks, FailuresAndAbandoningAreThoseOfOneThread) {
    const std::vector<size_t> first_forty = [] {
        std::vector<size_t> v(40);
        for (size_t i = 0; i < v.size(); ++i) v[i] = i;
        return v;
    }();
    for (int threads : {1, 2, 3, 7}) {
        std::vector<size_t> reported;
        EXPECT_FALSE(Run_Chunks(
            100, threads, [](size_t) {},
            [&](size_t c) {
                reported.push_back(c);
                return c < 3;
            }));
        EXPECT_EQ(reported, (std::vector<size_t>{0, 1, 2, 3})) << threads;

        // Two chunks fail; the lower is the one one thread meets.
        reported.clear();
        auto failing = [](size_t c) {
            if (c == 40) throw std::bad_alloc();
            if (c == 45) throw std::runtime_error("later");
        };
        auto keep = [&](size_t c) {
            reported.push_back(c);
            return true;
        };
        EXPECT_THROW(Run_Chunks(100, threads, failing, keep), std::bad_alloc) << threads;
        EXPECT_EQ(reported, first_forty) << threads;

        reported.clear();
        EXPECT_FALSE(Run_Chunks(100, threads, failing, [&](size_t c) {
            reported.push_back(c);
            return c < 10;
        })) << threads;
        EXPECT_EQ(reported.size(), 11u) << threads;

        reported.clear();
        EXPECT_THROW(Run_Chunks(
                         100, threads, [](size_t) {},
                         [&](size_t c) {
                             if (c == 7) throw std::bad_alloc();
                             reported.push_back(c);
                             return true;
                         }),
                     std::bad_alloc)
            << threads;
        EXPECT_EQ(reported.size(), 7u) << threads;
    }
}

// What the installed hook hears, what reaches the graph, the messages and the variables'
// cells, for one drawing.
struct Heard {
    std::vector<double> progress;
    std::vector<double> points;
    std::vector<double> cells;
    std::vector<std::string> messages;
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
        Set_PointByPointSampling(false);
        g_mathlist.Clear();
    }
    // Draws with the hook answering false at its call number `stop_at` (0: never), point by
    // point or in blocks on `threads` threads; the cells start at 123 so that what sampling
    // leaves in them shows.
    Heard Draw(bool point_by_point, int threads, size_t stop_at, MathForm* form,
               const std::function<int()>& draw) {
        Set_PointByPointSampling(point_by_point);
        Set_SamplingThreads(threads);
        heard_ = Heard();
        boxes_.Clear();
        for (const char* name : {"x", "y", "t"}) {
            if (form->var_array(name)) form->var_array[name] = 123.0;
        }
        Set_ProgressHook([this, stop_at](double done) {
            heard_.progress.push_back(done);
            return stop_at == 0 || heard_.progress.size() != stop_at;
        });
        heard_.result = draw();
        for (const char* name : {"x", "y", "t"}) {
            if (form->var_array(name)) heard_.cells.push_back(form->var_array[name]);
        }
        heard_.messages = boxes_.Lines();
        return heard_;
    }

    Heard heard_;
    RecordingMessageSink boxes_;
};

bool Same(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

// Every form and every way a form samples, whole and abandoned at several points of its
// progress: the blocks on 1, 2, 3 and 7 threads hear, draw, say and leave behind exactly what
// sampling point by point does.
TEST_F(ThreadedSamplers, BlocksOnAnyThreadsDoWhatPointByPointSamplingDoes) {
    char x[256] = "x";
    char y[256] = "y";
    char t[256] = "t";
    double lo = -2.0, hi = 2.0, ylo = -2.0, yhi = 2.0;
    int n = 0, ny = 0;
    struct Row {
        const char* what;
        MathForm* form;
        std::function<int()> draw;
    };
    std::vector<Row> rows;
    // Registration may rewrite the names (a name the formula lacks is dropped): each row
    // starts from fresh ones.
    auto last = [&] {
        std::strcpy(x, "x");
        std::strcpy(y, "y");
        std::strcpy(t, "t");
        return g_mathlist[g_mathlist.PutElementNum() - 1];
    };
    n = 60000;
    ASSERT_EQ(FnReg_Explicit("sin(x)*x", x, &lo, &hi, &n), 1);
    MathForm* curve = last();
    rows.push_back({"explicit", curve,
                    [=] { return ShowResult_Graph_Expl(nullptr, curve, "c", g_ufunc_list); }});
    n = 30000;
    ASSERT_EQ(FnReg_Param("cos(3*t)", "sin(2*t)", t, &lo, &hi, &n), 1);
    MathForm* param = last();
    rows.push_back({"parametric", param,
                    [=] { return ShowResult_Graph_Param(nullptr, param, "p", g_ufunc_list); }});
    n = 30000;
    ASSERT_EQ(FnReg_Polar("1+cos(t)", t, &lo, &hi, &n), 1);
    MathForm* polar = last();
    rows.push_back({"polar", polar,
                    [=] { return ShowResult_Graph_Polar(nullptr, polar, "r", g_ufunc_list); }});
    n = 30000;
    ASSERT_EQ(FnReg_Polar("2", t, &lo, &hi, &n), 1);
    MathForm* circle_r = last();
    rows.push_back({"polar without the angle", circle_r,
                    [=] { return ShowResult_Graph_Polar(nullptr, circle_r, "r2", g_ufunc_list); }});
    n = 400;
    ny = 300;
    ASSERT_EQ(FnReg_Inplicit("x^2+y^2-1", x, &lo, &hi, &n, y, &ylo, &yhi, &ny), 1);
    MathForm* circle = last();
    rows.push_back({"implicit grid", circle,
                    [=] { return ShowResult_Graph_Inpl(nullptr, circle, "o", g_ufunc_list); }});
    n = 70000;
    ny = 3;
    ASSERT_EQ(FnReg_Inplicit("sin(9*x)", x, &lo, &hi, &n, y, &ylo, &yhi, &ny), 1);
    MathForm* along_x = last();
    rows.push_back({"implicit along x", along_x,
                    [=] { return ShowResult_Graph_Inpl(nullptr, along_x, "l", g_ufunc_list); }});
    n = 3;
    ny = 50000;
    ASSERT_EQ(FnReg_Inplicit("y-0.3", x, &lo, &hi, &n, y, &ylo, &yhi, &ny), 1);
    MathForm* along_y = last();
    rows.push_back({"implicit along y", along_y,
                    [=] { return ShowResult_Graph_Inpl(nullptr, along_y, "m", g_ufunc_list); }});
    n = 100;
    ny = 100;
    ASSERT_EQ(FnReg_Inplicit("x^2+y^2+1", x, &lo, &hi, &n, y, &ylo, &yhi, &ny), 1);
    MathForm* none = last();
    rows.push_back({"implicit without a point", none,
                    [=] { return ShowResult_Graph_Inpl(nullptr, none, "z", g_ufunc_list); }});

    for (const Row& row : rows) {
        const Heard whole = Draw(true, 1, 0, row.form, row.draw);
        ASSERT_GT(whole.progress.size(), 20u)
            << row.what << ": " << (whole.messages.empty() ? "" : whole.messages[0]);
        for (size_t stop_at : {size_t{0}, size_t{2}, size_t{3}, size_t{9},
                               whole.progress.size() - 2, whole.progress.size() - 1}) {
            const Heard reference = Draw(true, 1, stop_at, row.form, row.draw);
            if (stop_at != 0) {
                EXPECT_EQ(reference.result, 0) << row.what;
                EXPECT_EQ(reference.handed_over, 0) << row.what;
            }
            for (int threads : {1, 2, 3, 7}) {
                const Heard blocks = Draw(false, threads, stop_at, row.form, row.draw);
                const std::string where = std::string(row.what) + ", " + std::to_string(threads) +
                                          " threads, 中止 at " + std::to_string(stop_at);
                EXPECT_EQ(blocks.result, reference.result) << where;
                EXPECT_EQ(blocks.handed_over, reference.handed_over) << where;
                EXPECT_TRUE(Same(blocks.progress, reference.progress)) << where;
                EXPECT_TRUE(Same(blocks.points, reference.points)) << where;
                EXPECT_TRUE(Same(blocks.cells, reference.cells)) << where;
                EXPECT_EQ(blocks.messages, reference.messages) << where;
            }
        }
    }
}

// The sampled values are the point evaluator's, bit for bit, at every point.
TEST_F(ThreadedSamplers, ValuesAreThePointEvaluatorsOnEveryThreadCount) {
    char x[256] = "x";
    double lo = -3.0, hi = 3.0;
    int n = 50000;
    ASSERT_EQ(FnReg_Explicit("exp(-x^2)*sin(10*x)+sigma[k(1,3),x^k/k]", x, &lo, &hi, &n), 1);
    MathForm* form = g_mathlist[0];
    for (int threads : {1, 2, 7}) {
        const Heard heard = Draw(false, threads, 0, form, [&] {
            return ShowResult_Graph_Expl(nullptr, form, "f", g_ufunc_list);
        });
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

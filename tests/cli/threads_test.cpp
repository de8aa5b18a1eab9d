// Sampling over several threads gives the documents, the printed lines and the messages of one
// thread, for every kind of formula and every way a kind samples.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_session.h"
#include "document/graph_on_win.h"
#include "kinds/parallel_sampling.h"
#include "../qt_test_app.h"
#include "session_run.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::string document;
};

Outcome Run_Session(const std::vector<std::string>& args) {
    Outcome outcome;
    const session_run::Printed printed = session_run::Run(args, [&](GraphOnWin& graph) {
        if (graph.graph_view != nullptr) {
            EXPECT_TRUE(graph.DocumentBytes(&outcome.document));
        }
    });
    outcome.status = printed.status;
    outcome.out = printed.out;
    outcome.err = printed.err;
    return outcome;
}

class ThreadCount : public ::testing::Test {
protected:
    void TearDown() override { Set_SamplingThreads(0); }
};

TEST_F(ThreadCount, EveryFormGivesTheSameDocumentOnOneTwoThreeAndSevenThreads) {
    const std::vector<std::vector<std::string>> runs = {
        {"--plot", "explicit:sin(x)*cos(x)+x/3:x(-10,10)[100000]"},
        {"--plot", "explicit:x^2-94906297^2:x(94906290,94906300)[99999]"},  // ties of squares
        {"--plot", "explicit:sigma[n(1,30),x^n/n]:x(-0.9,0.9)[20001]"},
        {"--plot", "explicit:1/x:x(-1,1)[16384]"},     // an infinity at a chunk's edge
        {"--plot", "explicit:sqrt(x):x(-1,1)[8193]"},  // NaN in the first chunk only
        {"--plot", "param:x=cos(3*t):y=sin(2*t):t(0,6.283185)[50001]"},
        {"--plot", "polar:r=1+cos(t):t(0,6.283185)[40000]"},
        {"--plot", "polar:r=2:t(0,6.283185)[40000]"},  // the radius without the angle
        {"--plot", "implicit:0=x^2+y^2-1:x(-1.5,1.5)[300]:y(-1.5,1.5)[301]"},
        {"--plot", "implicit:0=sin(x*y):x(-4,4)[20]:y(-4,4)[9000]"},          // many rows per chunk
        {"--plot", "implicit:0=x^2+y^2-1:x(-1.5,1.5)[9000]:y(-1.5,1.5)[3]"},  // long rows
        {"--plot", "implicit:0=sin(20*x):x(0,1)[30000]:y(0,1)[4]"},           // roots along x only
        {"--plot", "implicit:0=y-0.3:x(0,1)[4]:y(0,1)[20000]"},               // roots along y only
        {"--plot", "implicit:0=x^2+y^2+1:x(-1,1)[50]:y(-1,1)[50]"},  // no point: the message
        {"--plot", "explicit:x:x(1,1)[10]"},                         // a refused range
        {"--plot", "explicit:sin(x):x(-5,5)[10]", "--plot", "explicit:cos(x):x(-5,5)[70000]"},
    };
    int drawn = 0;
    for (const auto& args : runs) {
        Set_SamplingThreads(1);
        const Outcome one = Run_Session(args);
        if (one.document.size() > 1000) ++drawn;
        for (int threads : {2, 3, 7}) {
            Set_SamplingThreads(threads);
            const Outcome many = Run_Session(args);
            EXPECT_EQ(many.status, one.status) << args[1] << " on " << threads;
            EXPECT_EQ(many.out, one.out) << args[1] << " on " << threads;
            EXPECT_EQ(many.err, one.err) << args[1] << " on " << threads;
            EXPECT_TRUE(many.document == one.document) << args[1] << " on " << threads;
        }
    }
    EXPECT_EQ(drawn, 14);  // all but the one without points and the refused range
}

// The cap read from the environment: a positive number caps the cores, anything else leaves
// them; a number chosen by the program wins over both.
TEST_F(ThreadCount, TheEnvironmentCapsTheCores) {
    const char* saved = std::getenv("PLOTARI_THREADS");
    const std::string kept = saved ? saved : "";
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const struct {
        const char* value;
        int expected;
    } rows[] = {{"1", 1},
                {"1000", std::min(cores, 64)},
                {"0", std::min(cores, 64)},
                {"-3", std::min(cores, 64)},
                {"2x", std::min(cores, 64)},
                {"", std::min(cores, 64)}};
    for (const auto& row : rows) {
        setenv("PLOTARI_THREADS", row.value, 1);
        EXPECT_EQ(Sampling_Threads(), row.expected) << '"' << row.value << '"';
    }
    Set_SamplingThreads(7);
    EXPECT_EQ(Sampling_Threads(), 7);
    if (saved) {
        setenv("PLOTARI_THREADS", kept.c_str(), 1);
    } else {
        unsetenv("PLOTARI_THREADS");
    }
}

}  // namespace

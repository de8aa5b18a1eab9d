// Every document the program writes opens again and saves to the same bytes, and やり直し
// gives back what was seen, over random sequences of user operations (a fixed seed) and over
// every sequence that ever failed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "qt_test_app.h"
#include "round_trip.h"
#include "support/temp_dir.h"

namespace {

std::string Temp_Dir() { return support::Make_TempDir("roundtrip"); }

void Remove_Dir(const std::string& dir) {
    for (const char* name : {"/first.dat", "/second.dat"}) std::remove((dir + name).c_str());
    rmdir(dir.c_str());
}

TEST(RoundTrip, SequencesThatOnceFailed) {
    const std::string dir = Temp_Dir();
    const std::vector<std::vector<round_trip::Operation>> rows = {
        {{"--plot", "explicit:x*1e-310:x(0,1)[2]"}},
        {{"--plot", "explicit:x:x(-1e-320,1e-320)[2]"}},
        {{"--plot", "param:x=t^3:y=sin(t):t(0,1e-306)[31]"},
         {"--select-element", "ticks:1", "--ticks", "min=1e300,max=1e301,step=1e300"}},
        {{"--plot", "explicit:x*1e-310:x(1e300,1e301)[20]"},
         {"--plot", "implicit:0=x^2+y^2-1:x(-1,1)[5]:y(-1,1)[12]"},
         {"--select-element", "legend-name:1", "--font", "IPAGothic,74"},
         {"--zoom", "200"},
         {"--select-element", "ticks:0", "--ticks", "min=0,max=1e-310,step=1e-311"}},
        {{"--plot", "explicit:x:x(0,1)[4]"}, {"--zoom", "10000"}, {"--select-element", "none"}},
        {{"--plot", "implicit:0=x*y-1e-310:x(-1,1)[12]:y(-1,1)[10]"},
         {"--select-element", "ticks:0", "--grid"},
         {"--size", "0,0,297,210"},
         {"--select-element", "legend", "--legend"}},
        {{"--size", "20,20,270,180"},
         {"--plot", "explicit:sqrt(x):x(1e300,1e301)[8]"},
         {"--select-element", "ticks:0", "--grid"},
         {"--select-element", "legend", "--legend"},
         {"--size", "20,20,270,180"},
         {"--select-element", "ticks:0", "--ticks", "min=0,max=1e-310,step=1e-311"}},
        {{"--plot", "implicit:0=x*y-1e-310:x(-1,1)[3]:y(-1,1)[7]"},
         {"--select-element", "numbers:0", "--font", "DejaVu Sans,16"},
         {"--plot", "explicit:1/x:x(-1e308,1e308)[18]"},
         {"--select-element", "ticks:1", "--grid"},
         {"--size", "1,1,296,209"},
         {"--select-element", "legend-name:0", "--font", "ＭＳ ゴシック,76,italic,4400ab"}},
        {{"--plot", "param:x=cos(t):y=exp(t):t(0,1e-306)[24]"},
         {"--size", "150,100,151,101"},
         {"--select-element", "ticks:1", "--grid"},
         {"--select-element", "ticks:1", "--ticks", "min=0,max=1e-310,step=1e-311"},
         {"--select-element", "ticks:3", "--grid"},
         {"--size", "1,1,296,209"}},
        {{"--plot", "implicit:0=x^2+y^2-1:x(-1,1)[11]:y(-1,1)[10]"},
         {"--drag", "ticks:0@-338,146"},
         {"--select-element", "legend-line:1", "--line", "style=dot"},
         {"--select-element", "legend-line:2", "--line", "style=dot"},
         {"--select-element", "ticks:0", "--ticks", "min=1e300,max=1e301,step=1e300"},
         {"--plot", "implicit:0=x^2+y^2-1:x(-1,1)[11]:y(-1,1)[10]"}},
        {{"--plot", "implicit:0=x-y:x(-1,1)[12]:y(-1,1)[13]"},
         {"--drag", "ticks:0@301,52"},
         {"--select-element", "ticks:0", "--ticks", "min=1e300,max=1e301,step=1e300"},
         {"--drag", "legend-name:0@21,290"},
         {"--select-element", "numbers:1", "--number-style", "exp,0"}},
        {{"--select-element", "legend-line:0", "--line", "width=3,interval=1"},
         {"--plot", "explicit:x*1e-310:x(-2,3)[7]"},
         {"--select-element", "ticks:1", "--grid"},
         {"--select-element", "legend", "--legend"},
         {"--select-element", "ticks:1", "--ticks", "min=0,max=1e-310,step=1e-311"},
         {"--plot", "explicit:tan(x):x(1e300,1e301)[22]"}},
    };
    // ROUND_TRIP_ROW=N checks only row N (to look at its pictures).
    const char* only = std::getenv("ROUND_TRIP_ROW");
    for (size_t i = 0; i < rows.size(); ++i) {
        if (only != nullptr && std::to_string(i) != only) continue;
        EXPECT_EQ(round_trip::Check(rows[i], dir), "") << "row " << i;
    }
    if (only == nullptr) Remove_Dir(dir);
}

TEST(RoundTrip, RandomSequencesOfUserOperations) {
    // ROUND_TRIP_SEQUENCES sets how many (the sanitizer build runs fewer).
    const char* wanted = std::getenv("ROUND_TRIP_SEQUENCES");
    const int count = wanted != nullptr ? std::atoi(wanted) : 3000;
    const std::string dir = Temp_Dir();
    // ROUND_TRIP_SEED chooses other sequences (for long searches by hand).
    const char* seed = std::getenv("ROUND_TRIP_SEED");
    round_trip::Choices choices(
        seed != nullptr ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)) : 20261210u);
    int failures = 0;
    for (int i = 0; i < count && failures < 5; ++i) {
        const auto sequence = round_trip::Sequence(choices, 6);
        const std::string failure = round_trip::Check(sequence, dir);
        if (!failure.empty()) {
            ++failures;
            ADD_FAILURE() << "sequence " << i << ": " << failure;
        }
    }
    Remove_Dir(dir);
}

}  // namespace

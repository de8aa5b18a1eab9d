// Whatever the program writes, it opens again: documents at the limits a user reaches in a
// few actions are saved and reopened through the real program (or the change is refused
// with its message), and undo after each keeps working.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "cli_run.h"

using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Repeat;
using cli_run::Run_Cli;

namespace {

const char kOutOfRange[] = "out of range: 図の要素の大きさまたは位置が保存できる範囲を超えるため";

TEST(Limits, WhatIsSavedOpensAgain) {
    char dir_template[] = "/tmp/plotari-limits-XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    const std::string dir = dir_template;
    const std::vector<std::string> plot = {"--plot", "explicit:x^2:x(-2,2)[8]"};
    const struct {
        const char* what;
        std::vector<std::string> actions;
        bool may_be_refused;  // the change may be taken back with the out-of-range message
    } rows[] = {
        {"a scale that overflows", {"--plot", "explicit:x*1e-310:x(0,1)[2]"}, false},
        {"a subnormal range", {"--plot", "explicit:x:x(-1e-320,1e-320)[2]"}, false},
        {"a range just below 6e-306", {"--plot", "explicit:x:x(0,1e-306)[4]"}, false},
        {"an axis set to a subnormal range",
         {"--select-element", "ticks:1", "--ticks", "min=0,max=1e-310,step=1e-311"},
         false},
        {"a title of 142 full-width characters",
         {"--select-element", "title", "--text", Repeat("あ", 142)},
         true},
        {"a title of 255 full-width characters",
         {"--select-element", "title", "--text", Repeat("あ", 255)},
         true},
        {"a 512-point title", {"--select-element", "title", "--font", "IPAGothic,512"}, true},
        {"a 512-point axis title",
         {"--select-element", "axis-title:0", "--font", "IPAGothic,512"},
         true},
        {"200-point numbers with 16 digits",
         {"--select-element", "numbers:0", "--font", "IPAGothic,200", "--number-style", "real,16"},
         true},
        {"a title dragged far right at 11 %",
         {"--zoom", "11", "--drag", "title@2000,0", "--zoom", "100"},
         false},
        {"a title dragged far down and right at 25 %",
         {"--zoom", "25", "--drag", "title@400,600", "--zoom", "100"},
         false},
        {"the legend dragged far down at 11 %",
         {"--zoom", "11", "--drag", "legend@0,1500", "--zoom", "100"},
         false},
    };
    for (const auto& row : rows) {
        const std::string path = dir + "/limit.dat";
        std::vector<std::string> args = plot;
        args.insert(args.end(), row.actions.begin(), row.actions.end());
        args.insert(args.end(), {"--select-element", "none", "--save", path});
        Outcome r = Run_Cli(args);
        if (!row.may_be_refused || r.err.find(kOutOfRange) == std::string::npos) {
            EXPECT_EQ(r.status, 0) << row.what << "\n" << r.err;
        }
        EXPECT_EQ(r.err.find("write error"), std::string::npos) << row.what << "\n" << r.err;
        // Opened again, and saved to the same bytes.
        r = Run_Cli({"--open", path, "--save", path + ".again"});
        EXPECT_EQ(r.status, 0) << row.what << "\n" << r.err;
        EXPECT_EQ(Read_File(path + ".again"), Read_File(path)) << row.what;
        // Undo of the change works (no step is left unreadable).
        args = plot;
        args.insert(args.end(), row.actions.begin(), row.actions.end());
        args.insert(args.end(), {"--undo", "--undo"});
        r = Run_Cli(args);
        EXPECT_EQ(r.err.find("undo error"), std::string::npos) << row.what << "\n" << r.err;
        unlink(path.c_str());
        unlink((path + ".again").c_str());
    }
    rmdir(dir.c_str());
}

}  // namespace

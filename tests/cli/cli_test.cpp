// plotari-cli as a process: standard output, standard error and exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"

using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Run_Cli;

namespace {

TEST(Cli, EvaluatesOnceAndPrintsTheFormulaBox) {
    Outcome r =
        Run_Cli({"--form", "explicit", "--type", "x+1", "--register", "--set", "x=4", "--ok"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "x+1 =5.000000\n");
    EXPECT_EQ(r.err, "");

    r = Run_Cli({"--form", "polar", "--type", "r=2", "--register", "--ok"});
    EXPECT_EQ(r.out, "r =2.000000 :x=2.000000 :y=0.000000\n");
}

TEST(Cli, MessageBoxesGoToStandardErrorAndTheRestStillRuns) {
    Outcome r = Run_Cli(
        {"--type", "x+*2", "--register", "--type", "x*3", "--register", "--set", "x=2", "--ok"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "式解析失敗: これは式になってない。\\nおかしいところは x+*…なんです\n");
    EXPECT_EQ(r.out, "x*3 =6.000000\n");
}

TEST(Cli, ActionsAUserCouldNotDoAreReported) {
    const struct {
        std::vector<std::string> args;
        std::string err;
    } rows[] = {
        {{"--select", "0"}, "plotari-cli: no list entry 0\n"},
        {{"--divisions", "5"}, "plotari-cli: no current formula for --divisions\n"},
        {{"--type", "x", "--register", "--set", "y=1"},
         "plotari-cli: the variable list shows no y\n"},
    };
    for (const auto& row : rows) {
        Outcome r = Run_Cli(row.args);
        EXPECT_EQ(r.status, 1) << row.args[0];
        EXPECT_EQ(r.err, row.err);
    }
}

TEST(Cli, WrongCommandLinesRunNothing) {
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"--bogus"},
        {"--type"},
        {"--form", "cubic"},
        {"--plot", "sin(x)"},
        {"--select", "one"},
        {"--set", "x"},
        {"--var", "x,1"},
        {"--divisions", "5,6,7"},
        {"--type", "x+*2", "--register", "--print", "out"},  // no such action
    };
    for (const auto& args : rows) {
        Outcome r = Run_Cli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(r.err.find("usage: plotari-cli"), std::string::npos);
        EXPECT_EQ(r.err.find("式解析失敗"), std::string::npos);  // no action ran
        EXPECT_EQ(r.out, "");
    }
}

TEST(Cli, DivisionsAndVariableBoxes) {
    // Implicit without a dependent variable: its value shows instead of a graph.
    Outcome r = Run_Cli({"--form", "implicit", "--type", "0=x^2-y", "--register", "--set", "x=3",
                         "--set", "y=1", "--ok"});
    EXPECT_EQ(r.out, "0=x^2-y =8.000000\n");
    EXPECT_EQ(r.status, 0);
    r = Run_Cli({"--type", "x", "--register", "--divisions", "0"});
    EXPECT_EQ(r.status, 1);  // a count outside 1 ... 1000000 is refused with a word
    EXPECT_NE(r.err.find("invalid division: 分割数は1から1000000までの整数で入力してください"),
              std::string::npos);
}

// Documents and tables through the menu commands: a saved graph opens and saves again to
// the same bytes; the CSV is the series table; failures are reported.
TEST(Cli, SaveOpenAndCsv) {
    char dir_template[] = "/tmp/plotari-cli-doc-XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    const std::string dir = dir_template;
    Outcome r = Run_Cli(
        {"--plot", "explicit:x^2:x(0,2)[2]", "--save", dir + "/a.dat", "--csv", dir + "/a.csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read_File(dir + "/a.csv"), "x^2, ,\r\n0,0,\r\n1,1,\r\n2,4,\r\n");
    // 名前をつけて保存 of a document just opened writes a copy, byte for byte (保存 of an
    // unchanged document still refuses: GraphFile tests).
    r = Run_Cli({"--open", dir + "/a.dat", "--save", dir + "/b.dat"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read_File(dir + "/b.dat"), Read_File(dir + "/a.dat"));
    r = Run_Cli(
        {"--open", dir + "/a.dat", "--plot", "explicit:x:x(0,2)[2]", "--csv", dir + "/b.csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read_File(dir + "/b.csv"), "x^2, ,x, ,\r\n0,0,0,0,\r\n1,1,1,1,\r\n2,4,2,2,\r\n");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } failures[] = {
        {{"--open", dir + "/missing.dat"}, "open error: ファイルのオープンに失敗しました"},
        {{"--open", dir + "/a.csv"}, "read error: このデータは読めません。"},
        {{"--save", dir + "/c.dat"}, "no write date: 書き込めるデータがありません"},
        {{"--plot", "explicit:x:x(0,1)", "--save", dir + "/no/such/dir.dat"},
         "open error: ファイルのオープンに失敗しました"},
        {{"--plot", "explicit:x:x(0,1)", "--csv", dir + "/no/such/dir.csv"},
         "file open fail: 出力先のオープンに失敗"},
    };
    for (const auto& row : failures) {
        r = Run_Cli(row.args);
        EXPECT_EQ(r.status, 1) << row.args[1];
        EXPECT_NE(r.err.find(row.message), std::string::npos) << row.args[1] << ": " << r.err;
    }
    for (const char* name : {"a.dat", "a.csv", "b.csv"}) unlink((dir + "/" + name).c_str());
    rmdir(dir.c_str());
}

}  // namespace

// The wrong input a user can give, through the real program: what each answers (exit status
// and the message box on standard error) and that nothing already made is lost.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "cli_run.h"

using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Repeat;
using cli_run::Run_Cli;

namespace {

struct Row {
    std::string what;
    std::vector<std::string> args;
    int status;
    std::string
        expected;  // a part of standard error, or of standard output when it starts with "="
};

void Expect_Row(const Row& row) {
    const Outcome r = Run_Cli(row.args);
    EXPECT_EQ(r.status, row.status) << row.what << "\n" << r.err;
    if (row.expected.rfind("=", 0) == 0) {
        EXPECT_NE(r.out.find(row.expected.substr(1)), std::string::npos)
            << row.what << ": " << r.out;
    } else if (!row.expected.empty()) {
        EXPECT_NE(r.err.find(row.expected), std::string::npos) << row.what << ": " << r.err;
    } else {
        EXPECT_EQ(r.err, "") << row.what;
    }
}

const char kNoFormula[] = "no formula: 数式が入力されていません";
const char kBadRange[] = "変数範囲解析失敗: 変数、範囲の与え方が間違っています";
const char kNotAFormula[] = "式解析失敗: これは式になってない。";
const char kBadMinMax[] = "invalid value: 最小値、最大値が変です";

}  // namespace

TEST(BadInput, FormulasRangesAndDivisionCounts) {
    // x+x+…: 255 characters is the longest formula the box takes, 256 is refused.
    const std::string longest = "x" + Repeat("+x", 127);
    ASSERT_EQ(longest.size(), 255u);
    const Row rows[] = {
        {"empty", {"--plot", "explicit:"}, 1, kNoFormula},
        {"255 characters", {"--plot", "explicit:" + longest + ":x(0,1)[10]"}, 0, ""},
        {"256 characters", {"--plot", "explicit:" + longest + "+:x(0,1)[10]"}, 1, kNoFormula},
        {"nesting 120 deep",
         {"--plot", "explicit:" + Repeat("(", 120) + "x" + Repeat(")", 120)},
         0,
         "=) =0.000000"},
        {"unbalanced", {"--plot", "explicit:((x+1):x(0,1)"}, 1, kNotAFormula},
        {"bytes above 127", {"--plot", "explicit:\xff\xfe+x:x(0,1)"}, 1, kNotAFormula},
        // Full-width forms an input method types are read as ASCII, in the formula and
        // the range; a character with no ASCII form is refused as before.
        {"full-width letters", {"--plot", "explicit:ｘ＋１：ｘ（０，１）［１０］"}, 0, ""},
        {"a full-width evaluation", {"--plot", "explicit:２＊３"}, 0, "=2*3 =6.000000"},
        {"a character with no ASCII form", {"--plot", "explicit:x²+1:x(0,1)"}, 1, kNotAFormula},
        {"Greek", {"--plot", "explicit:α+x:x(0,1)"}, 1, kNotAFormula},
        {"a 400-digit literal is longer than the box",
         {"--plot", "explicit:" + Repeat("9", 400)},
         1,
         kNoFormula},
        {"a 250-digit literal", {"--plot", "explicit:" + Repeat("9", 250)}, 0, "=.000000"},
        {"1e400 is infinite", {"--plot", "explicit:1e400*2"}, 0, "=1e400*2 =inf"},
        {"sigma reversed sums nothing",
         {"--plot", "explicit:sigma[n(10,1),n]+x"},
         0,
         "=sigma[n(10,1),n]+x =0.000000"},
        {"sigma range of NaN", {"--plot", "explicit:sigma[n(0/0,3),n]"}, 1, kNotAFormula},
        {"0 divisions", {"--plot", "explicit:x:x(0,1)[0]"}, 1, kBadRange},
        {"-1 divisions", {"--plot", "explicit:x:x(0,1)[-1]"}, 1, kBadRange},
        {"1 000 001 divisions", {"--plot", "explicit:x:x(0,1)[1000001]"}, 1, kBadRange},
        {"1e12 divisions", {"--plot", "explicit:x:x(0,1)[1e12]"}, 1, kBadRange},
        {"min above max", {"--plot", "explicit:x:x(1,0)[10]"}, 1, kBadMinMax},
        {"infinite range", {"--plot", "explicit:x:x(-1e400,1)[10]"}, 1, kBadMinMax},
        {"division dialog with 0",
         {"--plot", "explicit:x:x(0,1)[5]", "--divisions", "0"},
         1,
         "invalid division: 分割数は1から1000000までの整数で入力してください"},
        {"parametric without y",
         {"--plot", "param:x=t:t(0,1)"},
         1,
         "no formula: 先頭がy=で始まっていません。"},
        {"implicit without 0=",
         {"--plot", "implicit:x^2+y^2-1:x(-1,1):y(-1,1)"},
         1,
         "no formula: 先頭が0=で始まっていません。"},
    };
    for (const Row& row : rows) Expect_Row(row);
}

TEST(BadInput, ZoomAndSizeAtAndBeyondTheirLimits) {
    const Row rows[] = {
        {"zoom 10 is refused quietly", {"--plot", "explicit:x:x(0,1)", "--zoom", "10"}, 0, ""},
        {"zoom 11", {"--plot", "explicit:x:x(0,1)", "--zoom", "11"}, 0, ""},
        {"zoom 10000", {"--plot", "explicit:x:x(0,1)", "--zoom", "10000"}, 0, ""},
        {"zoom 10001", {"--zoom", "10001"}, 1, "zoom over: 倍率は10000％以下で入力してください"},
        {"zoom -5", {"--zoom", "-5"}, 0, ""},
        {"zoom not a number", {"--zoom", "abc"}, 2, "--zoom takes a whole number"},
        {"size beyond the paper",
         {"--plot", "explicit:x:x(0,1)", "--size", "0,0,100000,100000"},
         1,
         "invalid size: 用紙からはみ出す位置は指定できません"},
        {"size with its edges swapped is taken",
         {"--plot", "explicit:x:x(0,1)", "--size", "200,150,10,10"},
         0,
         ""},
        {"size malformed", {"--size", "1,2,3"}, 2, ""},
        {"marker interval 0 keeps the old one",
         {"--marker-interval", "0"},
         1,
         "invalid interval: マーカーの間隔は1以上の整数で入力してください"},
    };
    for (const Row& row : rows) {
        const Outcome r = Run_Cli(row.args);
        EXPECT_EQ(r.status, row.status) << row.what << "\n" << r.err;
        if (!row.expected.empty()) {
            EXPECT_NE(r.err.find(row.expected), std::string::npos) << row.what << ": " << r.err;
        }
    }
}

// Files that cannot be read or written: each refusal is reported, and the document the
// user has stays whole (saving it afterwards gives the same bytes as before).
TEST(BadInput, UnreadableAndUnwritablePlacesLoseNothing) {
    char dir_template[] = "/tmp/plotari-bad-input-XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    const std::string dir = dir_template;
    const std::string plot = "explicit:sin(x):x(-3,3)[30]";
    Outcome r = Run_Cli({"--plot", plot, "--save", dir + "/good.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string good = Read_File(dir + "/good.dat");
    ASSERT_GT(good.size(), 100u);
    const std::string missing = dir + "/no/such/place";
    const struct {
        std::string what;
        std::vector<std::string> failing;
        std::string message;
    } rows[] = {
        {"open a directory", {"--open", dir}, "ファイルのオープンに失敗しました"},
        {"open an empty file",
         {"--open", dir + "/empty.dat"},
         "read error: このデータは読めません。"},
        {"open a missing file", {"--open", dir + "/missing.dat"}, "open error"},
        {"save into a missing directory", {"--save", missing + ".dat"}, "open error"},
        {"save over a directory", {"--save", dir}, "open error: ファイルのオープンに失敗しました"},
        {"CSV into a missing directory", {"--csv", missing + ".csv"}, "file open fail"},
        {"BMP into a missing directory", {"--bmp", missing + ".bmp"}, "fail getfilehandle"},
        {"JPEG into a missing directory", {"--jpg", missing + ".jpg"}, "fail jpeg file"},
        {"PNG into a missing directory", {"--png", missing + ".png"}, "fail png file"},
        {"SVG into a missing directory", {"--svg", missing + ".svg"}, "fail svg file"},
        {"PDF into a missing directory",
         {"--print-pdf", missing + ".pdf"},
         "print error: 印刷に失敗しました"},
    };
    { std::ofstream empty(dir + "/empty.dat"); }
    for (const auto& row : rows) {
        // The document drawn, the failing action, then the same document saved elsewhere.
        std::vector<std::string> args = {"--plot", plot};
        args.insert(args.end(), row.failing.begin(), row.failing.end());
        args.push_back("--save");
        args.push_back(dir + "/after.dat");
        r = Run_Cli(args);
        EXPECT_EQ(r.status, 1) << row.what << ": " << r.err;
        if (!row.message.empty()) {
            EXPECT_NE(r.err.find(row.message), std::string::npos) << row.what << ": " << r.err;
        }
        EXPECT_EQ(Read_File(dir + "/after.dat"), good) << row.what;
        unlink((dir + "/after.dat").c_str());
    }
    // The refused places hold nothing half-written.
    struct stat info;
    EXPECT_NE(stat((dir + "/no").c_str(), &info), 0);
    EXPECT_TRUE(stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
    unlink((dir + "/good.dat").c_str());
    unlink((dir + "/empty.dat").c_str());
    rmdir(dir.c_str());
}

// A file the user may not read, as an ordinary user (root reads everything, so the tests
// run plotari-cli as nobody when they run as root).
TEST(BadInput, AnUnreadableFileIsRefusedAndTheGraphStays) {
    char dir_template[] = "/tmp/plotari-locked-XXXXXX";
    ASSERT_NE(mkdtemp(dir_template), nullptr);
    const std::string dir = dir_template;
    chmod(dir.c_str(), 0777);
    const std::string locked = dir + "/locked.dat";
    const std::string after = dir + "/after.dat";
    ASSERT_EQ(Run_Cli({"--plot", "explicit:x:x(0,1)[4]", "--save", locked}).status, 0);
    chmod(locked.c_str(), 0);
    const uid_t user = geteuid() == 0 ? 65534 : cli_run::kAsMyself;
    const Outcome r = Run_Cli(
        {"--plot", "explicit:x^2:x(0,1)[4]", "--open", locked, "--save", after}, user, 65534);
    if (r.status == cli_run::kCannotDropPrivileges) {
        GTEST_SKIP() << "cannot run plotari-cli as the user nobody here";
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("open error: ファイルのオープンに失敗しました"), std::string::npos)
        << r.err;
    // The graph on screen was kept: what was saved after is the x^2 graph.
    EXPECT_NE(Read_File(after).find("x^2"), std::string::npos);
    unlink(after.c_str());
    unlink(locked.c_str());
    rmdir(dir.c_str());
}

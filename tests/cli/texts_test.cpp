// Texts read back as typed, through the real program: a character CP932 would give back as
// another one is refused when saving, naming it; everything else, face names of up to the
// 31 bytes the file holds included, comes back byte for byte.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "cli_run.h"
#include "support/temp_dir.h"

using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Run_Cli;

namespace {

std::string Temp_Dir() { return support::Make_TempDir("texts"); }

TEST(Texts, ACharacterThatWouldComeBackChangedIsRefusedByName) {
    const std::string dir = Temp_Dir();
    const struct {
        const char* typed;
        const char* named;
    } rows[] = {
        {"¥100", "¥"},     // would come back as a backslash
        {"波〜線", "〜"},  // WAVE DASH, would come back as FULLWIDTH TILDE
        {"x−1", "−"},      // MINUS SIGN
        {"a—b", "—"},      // EM DASH
        {"雪☃", "☃"},      // not in CP932 at all
    };
    for (const auto& row : rows) {
        const std::string path = dir + "/refused.dat";
        const Outcome r = Run_Cli({"--plot", "explicit:x:x(0,1)[4]", "--select-element", "title",
                                   "--text", row.typed, "--save", path});
        EXPECT_EQ(r.status, 1) << row.typed;
        EXPECT_NE(r.err.find(std::string("書けない文字: 「") + row.named + "」"), std::string::npos)
            << row.typed << ": " << r.err;
        EXPECT_NE(access(path.c_str(), F_OK), 0) << row.typed << ": a file was written";
    }
    rmdir(dir.c_str());
}

TEST(Texts, TitlesAndFaceNamesComeBackAsTyped) {
    const std::string dir = Temp_Dir();
    const struct {
        const char* title;
        const char* face;
        std::string stored;  // the face's bytes in the file
    } rows[] = {
        {"￥100 ～ －", "HGP創英ﾌﾟﾚｾﾞﾝｽEB",
         "HGP\x91\x6E\x89\x70\xcc\xdf\xda\xbe\xde\xdd\xbd"
         "EB"},
        {"\\100", "DejaVu Sans", "DejaVu Sans"},
        // 40 letters: the file holds 31 bytes, whole characters.
        {"abc", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde"},
    };
    for (const auto& row : rows) {
        const std::string first = dir + "/first.dat";
        const std::string second = dir + "/second.dat";
        Outcome r = Run_Cli({"--plot", "explicit:x:x(0,1)[4]", "--select-element", "title",
                             "--text", row.title, "--font", std::string(row.face) + ",14",
                             "--select-element", "none", "--save", first});
        EXPECT_EQ(r.status, 0) << row.title << r.err;
        const std::string bytes = Read_File(first);
        EXPECT_NE(bytes.find(row.stored + std::string(1, '\0')), std::string::npos) << row.face;
        r = Run_Cli({"--open", first, "--save", second});
        EXPECT_EQ(r.status, 0) << row.title << r.err;
        EXPECT_EQ(Read_File(second), bytes) << row.title;
        unlink(first.c_str());
        unlink(second.c_str());
    }
    rmdir(dir.c_str());
}

}  // namespace

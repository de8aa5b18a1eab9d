// Every file plotari-cli writes is treated as its owner expects: a symbolic link stays a link
// and its target gets the new bytes, the mode and the hard links are kept, and a file or
// folder the user may not write is refused with the writer's message, nothing changed.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli_run.h"

using cli_run::kAsMyself;
using cli_run::kCannotDropPrivileges;
using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Run_Cli;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
const char kOld[] = "the user's old bytes";

struct Writer {
    const char* action;
    const char* name;
    const char* magic;    // the first bytes of what it writes
    const char* refused;  // its message when the file may not be written
};

const Writer kWriters[] = {
    {"--save", "doc.dat", "Graph2DL", "open error: ファイルのオープンに失敗しました"},
    {"--csv", "table.csv", "", "file open fail: 出力先のオープンに失敗"},
    {"--bmp", "pic.bmp", "BM", "fail getfilehandle: ファイルハンドル獲得に失敗"},
    {"--jpg", "pic.jpg", "\xff\xd8", "fail jpeg file: JPEGファイルの書き込みに失敗"},
    {"--png", "pic.png", "\x89PNG", "fail png file: PNGファイルの書き込みに失敗"},
    {"--svg", "pic.svg", "<?xml", "fail svg file: SVGファイルの書き込みに失敗"},
    {"--print-pdf", "print.pdf", "%PDF", "print error: 印刷に失敗しました"},
};

std::string Make_Dir() {
    char path[] = "/tmp/plotari-owner-XXXXXX";
    const char* made = mkdtemp(path);
    EXPECT_NE(made, nullptr);
    chmod(path, 0777);
    return made ? made : "/tmp";
}

void Put_File(const std::string& path, const std::string& bytes, mode_t mode) {
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    chmod(path.c_str(), mode);
}

Outcome Write_With(const Writer& writer, const std::string& path, uid_t as = kAsMyself) {
    return Run_Cli({"--plot", "explicit:x^2:x(-1,1)[20]", writer.action, path}, as, kNoGroup);
}

bool Starts_With(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// Names in the folder other than the expected ones: temporary files left behind.
std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    DIR* folder = opendir(dir.c_str());
    if (folder == nullptr) return names;
    while (dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(folder);
    return names;
}

void Remove_Tree(const std::string& dir) {
    chmod(dir.c_str(), 0777);
    for (const std::string& name : Entries(dir)) unlink((dir + "/" + name).c_str());
    rmdir(dir.c_str());
}

TEST(OwnerFiles, ASymbolicLinkStaysALinkAndItsTargetGetsTheNewBytes) {
    for (const Writer& writer : kWriters) {
        const std::string dir = Make_Dir();
        const std::string sub = dir + "/real";
        mkdir(sub.c_str(), 0777);
        const std::string target = sub + "/" + writer.name;
        Put_File(target, kOld, 0644);
        const std::string link = dir + "/" + writer.name;
        ASSERT_EQ(symlink((std::string("real/") + writer.name).c_str(), link.c_str()), 0);
        const Outcome r = Write_With(writer, link);
        EXPECT_EQ(r.status, 0) << writer.action << r.err;
        struct stat info;
        ASSERT_EQ(lstat(link.c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << writer.action << ": the link was replaced";
        const std::string written = Read_File(target);
        EXPECT_NE(written, kOld) << writer.action << ": the target kept the old bytes";
        EXPECT_TRUE(Starts_With(written, writer.magic)) << writer.action;
        EXPECT_EQ(Entries(sub).size(), 1u) << writer.action << ": a temporary file was left";
        Remove_Tree(sub);
        Remove_Tree(dir);
    }
}

TEST(OwnerFiles, ModeAndHardLinksAreKept) {
    const mode_t modes[] = {0600, 0640, 0604};
    for (const Writer& writer : kWriters) {
        for (const mode_t mode : modes) {
            const std::string dir = Make_Dir();
            const std::string path = dir + "/" + writer.name;
            const std::string other = dir + "/other-name";
            Put_File(path, kOld, mode);
            ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
            const Outcome r = Write_With(writer, path);
            EXPECT_EQ(r.status, 0) << writer.action << r.err;
            struct stat info, other_info;
            ASSERT_EQ(stat(path.c_str(), &info), 0);
            ASSERT_EQ(stat(other.c_str(), &other_info), 0);
            EXPECT_EQ(info.st_mode & 07777, mode) << writer.action;
            EXPECT_EQ(info.st_nlink, 2u) << writer.action << ": the hard link was broken";
            EXPECT_EQ(info.st_ino, other_info.st_ino) << writer.action;
            EXPECT_TRUE(Starts_With(Read_File(other), writer.magic)) << writer.action;
            EXPECT_EQ(Entries(dir).size(), 2u) << writer.action << ": a temporary file was left";
            Remove_Tree(dir);
        }
    }
}

TEST(OwnerFiles, ANewFileGetsTheUsersUsualMode) {
    const mode_t old_mask = umask(027);
    for (const Writer& writer : kWriters) {
        const std::string dir = Make_Dir();
        const std::string path = dir + "/" + writer.name;
        EXPECT_EQ(Write_With(writer, path).status, 0) << writer.action;
        struct stat info;
        ASSERT_EQ(stat(path.c_str(), &info), 0) << writer.action;
        EXPECT_EQ(info.st_mode & 07777, 0640u) << writer.action;
        Remove_Tree(dir);
    }
    umask(old_mask);
}

// As an ordinary user: the tests run as root in CI, where every file is writable.
TEST(OwnerFiles, AFileOrFolderTheUserMayNotWriteIsRefusedAndKept) {
    const uid_t user = geteuid() == 0 ? kNobody : kAsMyself;
    for (const Writer& writer : kWriters) {
        // A read-only file in a folder the user may write.
        std::string dir = Make_Dir();
        if (user == kNobody) {
            ASSERT_EQ(chown(dir.c_str(), kNobody, kNoGroup), 0);
        }
        std::string path = dir + "/" + writer.name;
        Put_File(path, kOld, 0444);
        if (user == kNobody) {
            ASSERT_EQ(chown(path.c_str(), kNobody, kNoGroup), 0);
        }
        Outcome r = Write_With(writer, path, user);
        if (r.status == kCannotDropPrivileges) {
            Remove_Tree(dir);
            GTEST_SKIP() << "cannot run plotari-cli as the user nobody here";
        }
        EXPECT_EQ(r.status, 1) << writer.action;
        EXPECT_NE(r.err.find(writer.refused), std::string::npos) << writer.action << ": " << r.err;
        EXPECT_EQ(Read_File(path), kOld) << writer.action;
        EXPECT_EQ(Entries(dir).size(), 1u) << writer.action;
        Remove_Tree(dir);

        // A writable file in a folder where no temporary file can be made.
        dir = Make_Dir();
        path = dir + "/" + writer.name;
        Put_File(path, kOld, 0666);
        if (user == kNobody) {
            ASSERT_EQ(chown(dir.c_str(), kNobody, kNoGroup), 0);
        }
        chmod(dir.c_str(), 0555);
        r = Write_With(writer, path, user);
        EXPECT_EQ(r.status, 1) << writer.action;
        EXPECT_NE(r.err.find(writer.refused), std::string::npos) << writer.action << ": " << r.err;
        EXPECT_EQ(Read_File(path), kOld) << writer.action;
        EXPECT_EQ(Entries(dir).size(), 1u) << writer.action;
        Remove_Tree(dir);
    }
}

}  // namespace

namespace {

// The file written is the file named: an offered extension decides the format.
TEST(OwnerFiles, APictureIsWrittenUnderTheNameGiven) {
    const struct {
        const char* action;
        const char* name;
        const char* magic;
    } rows[] = {
        {"--bmp", "a.jpg", "\xff\xd8"}, {"--jpg", "b.png", "\x89PNG"},  {"--png", "c.bmp", "BM"},
        {"--bmp", "d", "BM"},           {"--png", "e.data", "\x89PNG"},
    };
    for (const auto& row : rows) {
        const std::string dir = Make_Dir();
        const Outcome r =
            Run_Cli({"--plot", "explicit:x:x(0,1)[4]", row.action, dir + "/" + row.name});
        EXPECT_EQ(r.status, 0) << row.name << r.err;
        const std::vector<std::string> names = Entries(dir);
        ASSERT_EQ(names.size(), 1u) << row.name;
        // A bare name gets the extension of its kind; any other name is kept as given.
        const std::string expected =
            std::string(row.name) == "d" ? std::string("d.bmp") : std::string(row.name);
        EXPECT_EQ(names[0], expected);
        EXPECT_TRUE(Starts_With(Read_File(dir + "/" + names[0]), row.magic)) << row.name;
        Remove_Tree(dir);
    }
}

}  // namespace

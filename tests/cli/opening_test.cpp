// Opening looks before it reads: a file far larger than its counts justify is refused with
// the read error, quickly and within a small memory limit, and the graph on screen stays.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "cli_run.h"

using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Run_Cli;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// A file of size bytes (sparse: it costs no disk) that starts with prefix.
std::string Sparse_File(const std::string& name, const std::string& prefix, off_t size) {
    const std::string path = "/tmp/plotari-open-" + std::to_string(getpid()) + "-" + name;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, prefix.data(), prefix.size()), static_cast<ssize_t>(prefix.size()));
    EXPECT_EQ(ftruncate(fd, size), 0);
    close(fd);
    return path;
}

TEST(Opening, AHugeFileIsRefusedWithoutBeingReadAndTheGraphStays) {
    if (kSanitized) {
        GTEST_SKIP() << "the address sanitizer reserves terabytes of address space, so the "
                        "memory limit of this test cannot be set under it";
    }
    // A real document first, then gigabytes the counts in it do not account for.
    const std::string real = "/tmp/plotari-open-" + std::to_string(getpid()) + "-real.dat";
    ASSERT_EQ(Run_Cli({"--plot", "explicit:x:x(0,1)[4]", "--save", real}).status, 0);
    const std::string document = Read_File(real);
    const off_t kThreeGigabytes = off_t(3) << 30;
    const struct {
        const char* what;
        std::string prefix;
    } rows[] = {
        {"magic and zeros", std::string("Graph2DL")},
        {"a whole document and zeros", document},
        {"a document whose last series claims the rest", document.substr(0, document.size() / 2)},
    };
    for (const auto& row : rows) {
        const std::string big = Sparse_File("big.dat", row.prefix, kThreeGigabytes);
        const std::string kept = real + ".kept.dat";
        // 1 GB of address space for everything: the file is three times as large.
        const pid_t child = fork();
        if (child == 0) {
            rlimit limit{off_t(1) << 30, off_t(1) << 30};
            setrlimit(RLIMIT_AS, &limit);
            const Outcome r =
                Run_Cli({"--plot", "explicit:x*2:x(0,1)[4]", "--open", big, "--save", kept});
            // The save question (answered No) and then the refusal, nothing else.
            const bool refused =
                r.status == 1 && r.err ==
                                     "Do you save data?: 現在のデータを保存しますか?\n"
                                     "read error: このデータは読めません。\n";
            _exit(refused ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << row.what;
        // The graph on screen was kept, and saved.
        EXPECT_EQ(Read_File(kept).substr(0, 8), "Graph2DL") << row.what;
        unlink(kept.c_str());
        unlink(big.c_str());
    }
    unlink(real.c_str());
}

}  // namespace

// plotari-cli keeps nothing between runs: no settings file, no recent documents, not even in
// the desktop's recently-used list, whatever it opens and saves.
TEST(Opening, TheCliKeepsNoSettingsAndNoRecentList) {
    char dir[] = "/tmp/plotari-cli-home-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string home = dir;
    const char* const kept[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    std::string before[3];
    bool had[3] = {false, false, false};
    for (int i = 0; i < 3; ++i) {
        if (const char* value = std::getenv(kept[i])) {
            had[i] = true;
            before[i] = value;
        }
    }
    setenv("HOME", dir, 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    const std::string a = home + "/a.dat", b = home + "/b.dat";
    const Outcome r = Run_Cli({"--plot", "explicit:sin(x):x(-3,3)[20]", "--save", a, "--open", a,
                               "--zoom", "150", "--save", b});
    for (int i = 0; i < 3; ++i) {
        if (had[i]) {
            setenv(kept[i], before[i].c_str(), 1);
        } else {
            unsetenv(kept[i]);
        }
    }
    EXPECT_EQ(r.status, 0) << r.err;
    struct stat info;
    EXPECT_EQ(stat(a.c_str(), &info), 0);
    EXPECT_EQ(stat(b.c_str(), &info), 0);
    EXPECT_NE(stat((home + "/.config").c_str(), &info), 0) << "a settings folder was made";
    EXPECT_NE(stat((home + "/.local").c_str(), &info), 0) << "a recently-used list was made";
    unlink(a.c_str());
    unlink(b.c_str());
    rmdir((home + "/.config/plotari").c_str());
    rmdir((home + "/.config").c_str());
    rmdir(dir);
}

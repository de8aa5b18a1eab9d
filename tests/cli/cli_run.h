// plotari-cli run as a process, as the tests of the program without a window need it.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace cli_run {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Repeat(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

inline std::string Read_File(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The exit status of a child that could not become the ordinary user it was asked to be.
constexpr int kCannotDropPrivileges = 126;
constexpr uid_t kAsMyself = static_cast<uid_t>(-1);

// Runs plotari-cli; as_user other than kAsMyself runs it as that user (and its group), for
// the cases where permissions matter and the tests themselves run as root.
inline Outcome Run_Cli(const std::vector<std::string>& args, uid_t as_user = kAsMyself,
                       gid_t as_group = 0) {
    char out_path[] = "/tmp/plotari-cli-out-XXXXXX";
    char err_path[] = "/tmp/plotari-cli-err-XXXXXX";
    int out_fd = mkstemp(out_path);
    int err_fd = mkstemp(err_path);
    Outcome outcome;
    pid_t child = fork();
    if (child == 0) {
        if (as_user != kAsMyself && getuid() != as_user &&
            (setgroups(0, nullptr) != 0 || setgid(as_group) != 0 || setuid(as_user) != 0)) {
            _exit(kCannotDropPrivileges);
        }
        dup2(out_fd, 1);
        dup2(err_fd, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(PLOTARI_CLI));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        unsetenv("DISPLAY");
        execv(PLOTARI_CLI, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(out_fd);
    close(err_fd);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = Read_File(out_path);
    outcome.err = Read_File(err_path);
    unlink(out_path);
    unlink(err_path);
    return outcome;
}

}  // namespace cli_run

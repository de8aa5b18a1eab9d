// The manual and the about text of the help menu (see the header).
#include "shell/manual.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

#include "platform/message_box.h"
#include "shell/paper_host.h"

std::string Help_FilePath() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) return std::string();
    return std::string(buffer) + "/使用説明/PlotariVer.html";
}

void Show_HelpOpenFailure(HWND owner) {
    MessageBoxA(owner, "説明ファイルのオープンに失敗しました。\n手動で開いてください。",
                "Fail open file", MB_OK);
}

namespace {
bool Is_File(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

std::string Installed_HelpFilePath() {
    char exe[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) return std::string();
    exe[length] = '\0';
    std::string dir(exe);
    dir.erase(dir.find_last_of('/') == std::string::npos ? 0 : dir.find_last_of('/'));
    // Installed: bin/plotari beside share/plotari; built: the copy beside the program.
    for (const std::string& candidate :
         {dir + "/../share/plotari/使用説明/PlotariVer.html", dir + "/使用説明/PlotariVer.html"}) {
        if (!Is_File(candidate)) continue;
        // Without the "bin/.." the browser shows.
        char resolved[PATH_MAX];
        return realpath(candidate.c_str(), resolved) ? std::string(resolved) : candidate;
    }
    return std::string();
}

int Open_HelpFile(PaperHost* host) {
    HWND owner = host != nullptr ? host->OwnerHandle() : nullptr;
    std::string path = Help_FilePath();
    // Started from elsewhere than the program's folder: the installed manual.
    if (!Is_File(path)) {
        const std::string installed = Installed_HelpFilePath();
        if (!installed.empty()) path = installed;
    }
    if (path.empty()) {
        MessageBoxA(owner, "カレントディレクトリの取得に失敗\n手動で説明ファイルを開いてください",
                    "Fail get directory", MB_OK);
        return 0;
    }
    const bool exists = Is_File(path);
    if (!exists || host == nullptr || !host->OpenDocument(path)) Show_HelpOpenFailure(owner);
    return 1;
}

std::string About_Text() {
    return "Plotari\n Version2.2\nLinux 版 (Qt 6 Widgets)\n作成: Plotari for Linux 開発チーム";
}

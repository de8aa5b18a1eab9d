// Replacing a user's file as its owner expects (see the header).
#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

std::string Folder_Of(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string Name_Of(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process's umask without changing it (umask() would, for a moment, for every thread).
mode_t Current_Umask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "Umask:") == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    return 022;
}

bool Write_All(int fd, const char* data, size_t size) {
    size_t written = 0;
    while (written < size) {
        const ssize_t put = ::write(fd, data + written, size - written);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<size_t>(put);
    }
    return true;
}

void Sync_Folder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: some file systems refuse it for folders
    ::close(fd);
}

}  // namespace

std::string Resolve_Links(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<size_t>(length) >= buffer.size()) return std::string();
        const std::string next(buffer.data(), static_cast<size_t>(length));
        if (!next.empty() && next[0] == '/') {
            current = next;
        } else {
            current = Folder_Of(current).append("/").append(next);
        }
    }
    return std::string();
}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
        fd_ = -1;
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty() && kept_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool ReplacingFile::Begin(const std::string& path) {
    Discard();
    kept_.clear();
    target_ = Resolve_Links(path);
    if (target_.empty()) return false;
    struct stat info;
    target_exists_ = ::stat(target_.c_str(), &info) == 0;
    if (target_exists_) {
        // Only a plain file the user may write is replaced.
        if (!S_ISREG(info.st_mode) ||
            ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
            return false;
        }
        links_ = static_cast<unsigned long>(info.st_nlink);
    } else if (errno != ENOENT) {
        return false;
    }
    std::string pattern = Folder_Of(target_) + "/." + Name_Of(target_) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) return false;
    temporary_ = name.data();
    return true;
}

std::FILE* ReplacingFile::Stream() {
    if (stream_ == nullptr && fd_ >= 0) stream_ = ::fdopen(fd_, "wb");
    return stream_;
}

bool ReplacingFile::Write(const std::string& bytes) {
    if (stream_ != nullptr) {
        return std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
    }
    return fd_ >= 0 && Write_All(fd_, bytes.data(), bytes.size());
}

bool ReplacingFile::Commit() {
    if (fd_ < 0 || temporary_.empty()) return false;
    bool ok = stream_ == nullptr || std::fflush(stream_) == 0;
    ok = ok && ::fsync(fd_) == 0;
    // The new file takes the old one's mode and, where the user may set them, its owner and
    // group; a new file gets the mode any new file of the user's would get.
    struct stat old_info;
    if (target_exists_ && ::stat(target_.c_str(), &old_info) == 0) {
        if (::fchown(fd_, old_info.st_uid, old_info.st_gid) != 0) {
            if (::fchown(fd_, static_cast<uid_t>(-1), old_info.st_gid) != 0) {
                // Another user's file in a folder of ours: it becomes ours, as any copy would.
            }
        }
        ok = ok && ::fchmod(fd_, old_info.st_mode & 07777) == 0;
    } else {
        ok = ok && ::fchmod(fd_, 0666 & ~Current_Umask()) == 0;
    }
    if (!ok) return false;
    if (target_exists_ && links_ > 1) {
        // A file with other names keeps them: the bytes, now safely beside it, are copied
        // into the file itself.
        const off_t size = ::lseek(fd_, 0, SEEK_END);
        const int target = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        bool copied = size >= 0 && target >= 0;
        std::vector<char> buffer(size_t(1) << 16);
        off_t done = 0;
        while (copied && done < size) {
            const ssize_t got = ::pread(fd_, buffer.data(), buffer.size(), done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) {
                copied = false;
                break;
            }
            copied = ::pwrite(target, buffer.data(), static_cast<size_t>(got), done) == got;
            done += got;
        }
        copied = copied && ::ftruncate(target, size) == 0 && ::fsync(target) == 0;
        if (target >= 0 && ::close(target) != 0) copied = false;
        if (!copied) {
            // The old bytes may be partly overwritten: the complete new ones stay beside.
            kept_ = temporary_;
            Discard();
            return false;
        }
        Discard();
        return true;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return false;
    temporary_.clear();
    Discard();
    Sync_Folder(Folder_Of(target_));
    return true;
}

int Write_FileSafely(const std::string& path, const std::string& bytes) {
    ReplacingFile file;
    if (!file.Begin(path)) return 0;
    if (!file.Write(bytes) || !file.Commit()) return -1;
    return 1;
}

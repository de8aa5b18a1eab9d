// The document reader's file window and the whole-file helper.
#include "platform/doc_stream.h"

#include "platform/cp932.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

bool Read_WholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
    bytes->clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    bytes->reserve(static_cast<size_t>(info.st_size));
    unsigned char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        bytes->insert(bytes->end(), buffer, buffer + got);
    }
    ::close(fd);
    return ok;
}

namespace {
constexpr size_t kWindowSize = size_t(1) << 20;

bool Read_At(int fd, unsigned char* out, size_t size, size_t offset) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}
}  // namespace

const unsigned char* DocReader::At(size_t size) {
    if (fd_ < 0) return data_ + position_;
    if (position_ >= window_start_ && position_ + size <= window_start_ + window_size_) {
        return window_.get() + (position_ - window_start_);
    }
    if (!window_) window_.reset(new unsigned char[kWindowSize]);
    const size_t left = size_ - position_;
    window_size_ = left < kWindowSize ? left : kWindowSize;
    window_start_ = position_;
    if (size > window_size_ || !Read_At(fd_, window_.get(), window_size_, window_start_)) {
        window_size_ = 0;
        input_failed_ = true;
        failed_ = true;
        return nullptr;
    }
    return window_.get();
}

bool DocReader::Copy(void* out, size_t size) {
    if (fd_ < 0) {
        std::memcpy(out, data_ + position_, size);
        return true;
    }
    if (size <= kWindowSize) {
        const unsigned char* at = At(size);
        if (at == nullptr) return false;
        std::memcpy(out, at, size);
        return true;
    }
    if (!Read_At(fd_, static_cast<unsigned char*>(out), size, position_)) {
        input_failed_ = true;
        failed_ = true;
        return false;
    }
    return true;
}

bool Stored_Text(const DocWriter* writer, const std::string& utf8, std::string* stored) {
    if (writer->keeps_utf8) {
        *stored = utf8;
        return true;
    }
    return Utf8_ToCp932(utf8, stored);
}

bool Text_OfStored(const DocReader* reader, const std::string& stored, std::string* utf8) {
    if (reader->keeps_utf8) {
        *utf8 = stored;
        return true;
    }
    return Cp932_ToUtf8(stored, utf8);
}

// The document file's fields: a writer that collects the little-endian fields in one buffer
// (written to disk at once, safely), and a reader over bytes in memory or over an open file
// (read a window at a time, as far as the reading goes) that checks every read against what
// is left. A failed read makes every later read fail too, so a record reader can read on
// and test once.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// How far a long read or write of a document is, from 0 to 1, every megabyte or so; the
// answer false abandons it.
using WorkProgress = std::function<bool(double done)>;

constexpr size_t kProgressStep = size_t(1) << 20;

class DocWriter {
public:
    // The undo history's copies keep texts as they are (UTF-8), so that a document with a
    // character CP932 cannot hold can still be taken back; files hold CP932.
    bool keeps_utf8 = false;
    // Reports the bytes collected against the expected total (an estimate). Once abandoned,
    // nothing more is collected.
    void SetProgress(WorkProgress progress, size_t expected) {
        progress_ = std::move(progress);
        expected_ = expected > 0 ? expected : 1;
        next_report_ = bytes_.size() + kProgressStep;
    }
    bool Abandoned() const { return abandoned_; }
    void Put16(int16_t value) { Put_LE(static_cast<uint16_t>(value), 2); }
    void Put32(int32_t value) { Put_LE(static_cast<uint32_t>(value), 4); }
    void PutU32(uint32_t value) { Put_LE(value, 4); }
    void PutDouble(double value) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Put_LE(bits, 8);
    }
    // count doubles, each as PutDouble writes it (a little-endian processor's own layout is the
    // file's: the values are copied a megabyte at a time).
    // `values` points at count doubles lying one after the other (an array of them, or of
    // structures made of nothing else).
    void PutDoubles(const void* values, size_t count) {
        const auto* bytes = static_cast<const char*>(values);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        const size_t step = kProgressStep;
        const size_t size = count * sizeof(double);
        for (size_t at = 0; at < size && !abandoned_; at += step) {
            bytes_.append(bytes + at, size - at < step ? size - at : step);
            Progress();
        }
#else
        for (size_t i = 0; i < count; ++i) {
            double value = 0.0;
            std::memcpy(&value, bytes + i * sizeof(double), sizeof value);
            PutDouble(value);
        }
#endif
    }
    void PutBytes(const void* data, size_t size) {
        if (abandoned_) return;
        bytes_.append(static_cast<const char*>(data), size);
        Progress();
    }
    void PutZeros(size_t count) {
        if (abandoned_) return;
        bytes_.append(count, '\0');
        Progress();
    }
    const std::string& Bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }
    size_t Size() const { return bytes_.size(); }

private:
    void Put_LE(uint64_t value, int width) {
        if (abandoned_) return;
        char field[8];
        for (int i = 0; i < width; ++i) field[i] = static_cast<char>(value >> (8 * i));
        bytes_.append(field, static_cast<size_t>(width));
        Progress();
    }
    void Progress() {
        if (!progress_ || bytes_.size() < next_report_) return;
        next_report_ = bytes_.size() + kProgressStep;
        const double done = static_cast<double>(bytes_.size()) / static_cast<double>(expected_);
        if (!progress_(done < 0.99 ? done : 0.99)) abandoned_ = true;
    }
    std::string bytes_;
    WorkProgress progress_;
    size_t expected_ = 1;
    size_t next_report_ = 0;
    bool abandoned_ = false;
};

class DocReader {
public:
    bool keeps_utf8 = false;  // reading an undo copy (see DocWriter)
    DocReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    // Reads the open file fd (owned by the caller) of size bytes from its start; memory
    // grows with the reads asked for, never with the file's size.
    DocReader(int fd, size_t size) : size_(size), fd_(fd) {}
    // True when the file could not be read (as opposed to holding something unreadable).
    bool InputFailed() const { return input_failed_; }
    // Reports the part of the bytes read; an abandoned read fails as a damaged file does,
    // and says so in Abandoned().
    void SetProgress(WorkProgress progress) {
        progress_ = std::move(progress);
        next_report_ = position_ + kProgressStep;
    }
    bool Abandoned() const { return abandoned_; }

    bool Get16(int16_t* value) {
        uint64_t v = 0;
        if (!Get_LE(&v, 2)) return false;
        *value = static_cast<int16_t>(static_cast<uint16_t>(v));
        return true;
    }
    bool Get32(int32_t* value) {
        uint64_t v = 0;
        if (!Get_LE(&v, 4)) return false;
        *value = static_cast<int32_t>(static_cast<uint32_t>(v));
        return true;
    }
    bool GetU32(uint32_t* value) {
        uint64_t v = 0;
        if (!Get_LE(&v, 4)) return false;
        *value = static_cast<uint32_t>(v);
        return true;
    }
    bool GetDouble(double* value) {
        uint64_t v = 0;
        if (!Get_LE(&v, 8)) return false;
        std::memcpy(value, &v, sizeof v);
        return true;
    }
    bool GetBytes(void* out, size_t size) {
        if (!Fits(size)) return false;
        if (size > 0 && !Copy(out, size)) return false;
        position_ += size;
        return true;
    }
    bool Skip(size_t size) {
        if (!Fits(size)) return false;
        position_ += size;
        return true;
    }
    // A stored count of items of item_size bytes each: false (and failed) when negative or
    // when that many items cannot be in the bytes that are left.
    bool CountFits(int64_t count, size_t item_size) {
        if (count < 0 || (item_size > 0 && static_cast<uint64_t>(count) > Left() / item_size)) {
            failed_ = true;
            return false;
        }
        return true;
    }
    size_t Left() const { return failed_ ? 0 : size_ - position_; }
    size_t Position() const { return position_; }
    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }

private:
    bool Fits(size_t size) {
        if (failed_ || size > size_ - position_) {
            failed_ = true;
            return false;
        }
        if (progress_ && position_ >= next_report_) {
            next_report_ = position_ + kProgressStep;
            if (!progress_(static_cast<double>(position_) / static_cast<double>(size_))) {
                abandoned_ = true;
                failed_ = true;
                return false;
            }
        }
        return true;
    }
    bool Get_LE(uint64_t* value, int width) {
        if (!Fits(static_cast<size_t>(width))) return false;
        const unsigned char* at = At(static_cast<size_t>(width));
        if (at == nullptr) return false;
        uint64_t v = 0;
        for (int i = 0; i < width; ++i) v |= uint64_t(at[i]) << (8 * i);
        position_ += static_cast<size_t>(width);
        *value = v;
        return true;
    }
    // The next size bytes (size no more than a window), loaded from the file if need be.
    const unsigned char* At(size_t size);
    bool Copy(void* out, size_t size);
    const unsigned char* data_ = nullptr;
    size_t size_;
    int fd_ = -1;
    std::unique_ptr<unsigned char[]> window_;
    size_t window_start_ = 0;
    size_t window_size_ = 0;
    bool input_failed_ = false;
    size_t position_ = 0;
    bool failed_ = false;
    WorkProgress progress_;
    size_t next_report_ = 0;
    bool abandoned_ = false;
};

// A text as the stream stores it: CP932 in a file, UTF-8 in an undo copy. False (file only)
// when CP932 cannot hold it as it is.
bool Stored_Text(const DocWriter* writer, const std::string& utf8, std::string* stored);
bool Text_OfStored(const DocReader* reader, const std::string& stored, std::string* utf8);

// The whole file's bytes (for small files: tests and pictures).
bool Read_WholeFile(const std::string& path, std::vector<unsigned char>* bytes);

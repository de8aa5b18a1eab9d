// The document file in memory: a writer that collects the little-endian fields in one
// buffer (written to disk at once, safely), and a reader over the whole file's bytes that
// checks every read against what is left. A failed read makes every later read fail too,
// so a record reader can read on and test once.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class DocWriter {
public:
    void Put16(int16_t value) { Put_LE(static_cast<uint16_t>(value), 2); }
    void Put32(int32_t value) { Put_LE(static_cast<uint32_t>(value), 4); }
    void PutU32(uint32_t value) { Put_LE(value, 4); }
    void PutDouble(double value) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Put_LE(bits, 8);
    }
    void PutBytes(const void* data, size_t size) {
        bytes_.append(static_cast<const char*>(data), size);
    }
    void PutZeros(size_t count) { bytes_.append(count, '\0'); }
    const std::string& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    void Put_LE(uint64_t value, int width) {
        for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<char>(value >> (8 * i)));
    }
    std::string bytes_;
};

class DocReader {
public:
    DocReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}

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
        if (size > 0) std::memcpy(out, data_ + position_, size);
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
        return true;
    }
    bool Get_LE(uint64_t* value, int width) {
        if (!Fits(static_cast<size_t>(width))) return false;
        uint64_t v = 0;
        for (int i = 0; i < width; ++i) v |= uint64_t(data_[position_ + i]) << (8 * i);
        position_ += static_cast<size_t>(width);
        *value = v;
        return true;
    }
    const unsigned char* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

// Whole-file helpers. Writing goes to a temporary file beside the target, flushed to disk,
// then renamed over it: the old file stays whole until the new one is complete. 1 written,
// 0 the file cannot be created, -1 writing it failed.
bool Read_WholeFile(const std::string& path, std::vector<unsigned char>* bytes);
int Write_FileSafely(const std::string& path, const std::string& bytes);

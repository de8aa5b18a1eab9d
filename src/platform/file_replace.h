// Replacing a user's file as its owner expects: the new bytes go to a temporary file beside
// the real target (a symbolic link is followed and stays a link), the old file stays whole
// until they are on disk, the target keeps its mode, owner, group and hard links, and a file
// the user may not write is refused before anything is made.
#pragma once

#include <cstdio>
#include <string>

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Makes the temporary file for path. False when the target may not be written (no
    // right to it, not a regular file) or no temporary file can be made beside it.
    bool Begin(const std::string& path);
    // The temporary file, for writers that open a file by name (they may truncate it).
    const std::string& TemporaryPath() const { return temporary_; }
    // A stream on the temporary file, owned by this object.
    std::FILE* Stream();
    // Writes bytes to the temporary file; false when the disk refuses them.
    bool Write(const std::string& bytes);
    // Puts the new bytes in place of the target: false when that failed, and the old file
    // is then as it was (or, for a hard-linked file whose in-place copy failed, the new
    // bytes are left in the temporary file, named by KeptCopy()).
    bool Commit();
    // The real file written (the link's target when the path was a symbolic link).
    const std::string& Target() const { return target_; }
    const std::string& KeptCopy() const { return kept_; }

private:
    void Discard();
    std::string target_;
    std::string temporary_;
    std::string kept_;
    int fd_ = -1;
    std::FILE* stream_ = nullptr;
    bool target_exists_ = false;
    unsigned long links_ = 0;
};

// The path a symbolic link finally names (the path itself when it is no link); a relative
// link is taken relative to the link's folder. Empty for a loop of links.
std::string Resolve_Links(const std::string& path);

// The whole file written safely as above. 1 written, 0 the file may not be written or
// cannot be created, -1 writing it failed (the old file stays).
int Write_FileSafely(const std::string& path, const std::string& bytes);

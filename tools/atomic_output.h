#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include "fd_stream_buffer.h"

namespace rivo::tool {

// The result cannot be written; what() is the one-line message.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A result file that appears whole or not at all. It is written as an
// unnamed file in the target's directory (so that no crash can leave it
// behind), given a temporary name once complete and renamed over the
// target; the rename cannot cross file systems. Where the file system has
// no unnamed files, a hidden temporary file is written instead and removed
// on failure. Destroyed without Commit, it leaves the target as it was. The
// file is made at construction, so an unusable path is found before any
// work is done.
class AtomicOutputFile {
public:
    explicit AtomicOutputFile(const std::string& path);
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;
    ~AtomicOutputFile();

    std::ostream& stream() { return stream_; }
    // Flushes to disk and puts the file in place; throws OutputError.
    void Commit();

private:
    bool OpenUnnamed();
    void OpenNamed();
    void GiveName();

    std::string path_;
    std::string temporaryPath_;  // empty while the file has no name
    int fd_ = -1;
    FdStreamBuffer buffer_;
    std::ostream stream_;
    bool committed_ = false;
};

}  // namespace rivo::tool

#pragma once

#include <ostream>
#include <stdexcept>
#include <string>

#include "output/fd_stream_buffer.h"

namespace rivo::tool {

// The output cannot be written; what() is the one-line message.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that appears whole or not at all. It is written under a hidden
// temporary name in the target's folder, flushed to disk, and renamed over
// the target only when complete; the rename cannot cross file systems, so
// a reader of the target sees the old file or the new one, never a part.
// Destroyed without Commit, it removes the temporary file and leaves the
// target as it was; so does a signal that stops the run
// (signal_cleanup.h). The temporary file is made at construction, so that an
// unusable path is found before any work is done.
//
// A target that exists and is no regular file (a terminal, a pipe,
// /dev/null) is written directly: renaming over it would replace the device.
class AtomicOutputFile {
public:
    explicit AtomicOutputFile(const std::string& path);
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;
    ~AtomicOutputFile();

    const std::string& path() const { return path_; }
    std::ostream& stream() { return stream_; }
    // Writes out what is buffered, flushes it to disk and closes the file;
    // throws OutputError. The target is not touched yet, so a command that
    // writes several files finishes them all before it commits any.
    void Finish();
    // Finishes the file if that is not done yet and puts it in place.
    void Commit();

private:
    std::string path_;
    std::string temporaryPath_;  // empty where the target is written directly
    int fd_ = -1;
    FdStreamBuffer buffer_;
    std::ostream stream_;
    bool committed_ = false;
};

}  // namespace rivo::tool

#include "output/atomic_output.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "cli/signal_cleanup.h"
#include "output/posix_io.h"

namespace rivo::tool {

namespace {

[[noreturn]] void Fail(const std::string& path, const char* action, int error) {
    throw OutputError(path + ": cannot " + action + ": " + std::strerror(error));
}

// What ends a path's folder part: on Windows a backslash, or the colon of a
// drive (`C:result.json`), as well as a slash.
#ifdef _WIN32
constexpr const char* kFolderEnds = "/\\:";
#else
constexpr const char* kFolderEnds = "/";
#endif

// `dir/.name.XXXXXX` for `dir/name`: hidden, beside the target.
std::vector<char> TemporaryPattern(const std::string& path) {
    const std::string::size_type slash = path.find_last_of(kFolderEnds);
    const std::string::size_type start = slash == std::string::npos ? 0 : slash + 1;
    const std::string pattern = path.substr(0, start) + "." + path.substr(start) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return name;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(const std::string& path) : path_(path), stream_(&buffer_) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        Fail(path_, "create the result file", EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) {
            Fail(path_, "open the result file", errno);
        }
    } else {
        std::vector<char> name = TemporaryPattern(path);
        fd_ = ::mkstemp(name.data());
        if (fd_ < 0) {
            Fail(path_, "create the result file", errno);
        }
        temporaryPath_ = name.data();
        RemoveOnSignal(temporaryPath_.c_str());
        // mkstemp makes files for the owner only; the result gets what any new file gets.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
    buffer_.Attach(fd_);
}

AtomicOutputFile::~AtomicOutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_ && !temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        ForgetOnSignal(temporaryPath_.c_str());
    }
}

void AtomicOutputFile::Finish() {
    if (fd_ < 0) {
        return;
    }
    stream_.flush();
    if (buffer_.error() != 0 || !stream_) {
        Fail(path_, "write the result file", buffer_.error() != 0 ? buffer_.error() : EIO);
    }
    // Only a regular file is synced: a device or a pipe has nothing to keep.
    if (!temporaryPath_.empty() && ::fsync(fd_) != 0) {
        Fail(path_, "write the result file", errno);
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        Fail(path_, "write the result file", errno);
    }
}

void AtomicOutputFile::Commit() {
    Finish();
    // std::filesystem::rename replaces an existing file on Windows too.
    std::error_code error;
    if (!temporaryPath_.empty()) {
        std::filesystem::rename(temporaryPath_, path_, error);
    }
    if (error) {
        Fail(path_, "replace the result file", error.value());
    }
    committed_ = true;
    if (!temporaryPath_.empty()) {
        ForgetOnSignal(temporaryPath_.c_str());
    }
}

}  // namespace rivo::tool

#include "atomic_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace rivo::tool {

namespace {

[[noreturn]] void Fail(const std::string& path, const char* action, int error) {
    throw OutputError(path + ": cannot " + action + ": " + std::strerror(error));
}

std::string::size_type NameStart(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string Directory(const std::string& path) {
    const std::string::size_type start = NameStart(path);
    return start == 0 ? "." : path.substr(0, start);
}

// `dir/.name.` for `dir/name`: hidden, beside the target; a suffix follows.
std::string TemporaryPrefix(const std::string& path) {
    const std::string::size_type start = NameStart(path);
    return path.substr(0, start) + "." + path.substr(start) + ".";
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(const std::string& path) : path_(path), stream_(&buffer_) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        Fail(path_, "create the result file", EISDIR);
    }
    if (!OpenUnnamed()) {
        OpenNamed();
    }
    buffer_.Attach(fd_);
}

AtomicOutputFile::~AtomicOutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_ && !temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
    }
}

bool AtomicOutputFile::OpenUnnamed() {
    fd_ = ::open(Directory(path_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        return true;
    }
    // These say the file system has no unnamed files; anything else is a
    // directory that cannot be written.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        Fail(path_, "create the result file", errno);
    }
    return false;
}

void AtomicOutputFile::OpenNamed() {
    std::string pattern = TemporaryPrefix(path_) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) {
        Fail(path_, "create the result file", errno);
    }
    temporaryPath_ = name.data();
    // mkstemp makes files for the owner only; a result gets what any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
}

// Links the unnamed file under a fresh temporary name; linking through
// /proc is the way that needs no privilege.
void AtomicOutputFile::GiveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        const std::string name = TemporaryPrefix(path_) + suffix;
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporaryPath_ = name;
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    Fail(path_, "write the result file", errno);
}

void AtomicOutputFile::Commit() {
    stream_.flush();
    if (buffer_.error() != 0 || !stream_) {
        Fail(path_, "write the result file", buffer_.error() != 0 ? buffer_.error() : EIO);
    }
    if (::fsync(fd_) != 0) {
        Fail(path_, "write the result file", errno);
    }
    if (temporaryPath_.empty()) {
        GiveName();
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        Fail(path_, "write the result file", errno);
    }
    if (::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        Fail(path_, "replace the result file", errno);
    }
    committed_ = true;
}

}  // namespace rivo::tool

#pragma once

// The POSIX file calls of the tool. On Windows, MinGW-w64's C runtime has
// open, read, write, close, stat, mkstemp and umask; what it lacks stands in
// here, and a file is read where it would be mapped.
#if defined(_WIN32)

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>

// Windows has no close-on-exec flag for open. Every open of the tool carries
// it, so there it asks for the bytes as they are instead: no CRLF translation.
#define O_CLOEXEC O_BINARY

inline constexpr int PROT_READ = 1;
inline constexpr int MAP_PRIVATE = 2;
inline constexpr int MAP_FIXED = 0x10;
inline constexpr int MAP_ANONYMOUS = 0x20;
inline constexpr int MAP_POPULATE = 0x8000;
inline void* const MAP_FAILED = reinterpret_cast<void*>(-1);

inline void* mmap(void*, std::size_t, int, int, int, long) {
    return MAP_FAILED;
}
inline int munmap(void*, std::size_t) {
    return 0;
}
// Windows keeps no permission bits that a mode would set.
inline int fchmod(int, unsigned) {
    return 0;
}
inline int fsync(int fd) {
    return _commit(fd);
}
inline void StartWriteback(int, long long, std::size_t) {}

#else

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>

// Asks the system to start writing `size` bytes at `offset` of the file to
// disk now, without waiting: a result file is flushed to disk before it is
// put in place, and a disk that writes while the rest is still formatted
// leaves that flush little to wait for. Only a hint; a pipe or a device
// that takes no such request is written all the same.
inline void StartWriteback([[maybe_unused]] int fd, [[maybe_unused]] long long offset,
                           [[maybe_unused]] std::size_t size) {
#if defined(__linux__)
    ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                      SYNC_FILE_RANGE_WRITE);
#endif
}

#endif

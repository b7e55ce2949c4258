#pragma once

#include <cstddef>
#include <streambuf>
#include <vector>

namespace rivo::tool {

// A stream buffer that writes to a file descriptor in large blocks. Output
// files are written through their descriptor because they are flushed to
// disk before they are renamed into place (see AtomicOutputFile).
class FdStreamBuffer : public std::streambuf {
public:
    explicit FdStreamBuffer(std::size_t size = std::size_t{1} << 20);

    void Attach(int fd) { fd_ = fd; }
    // errno of the first failed write, 0 while every write succeeded.
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool Drain();
    bool WriteAll(const char* text, std::size_t count);

    std::vector<char> buffer_;
    int fd_ = -1;
    int error_ = 0;
    long long written_ = 0;  // bytes written to the file so far
};

}  // namespace rivo::tool

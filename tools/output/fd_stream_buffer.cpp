#include "output/fd_stream_buffer.h"

#include <cerrno>

#include "output/posix_io.h"

namespace rivo::tool {

FdStreamBuffer::FdStreamBuffer(std::size_t size) : buffer_(size) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdStreamBuffer::int_type FdStreamBuffer::overflow(int_type ch) {
    if (!Drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int FdStreamBuffer::sync() {
    return Drain() ? 0 : -1;
}

// A block at least as large as the buffer goes to the file as it is:
// copying it into the buffer first would only cost time.
std::streamsize FdStreamBuffer::xsputn(const char* text, std::streamsize count) {
    if (static_cast<std::size_t>(count) < buffer_.size()) {
        return std::streambuf::xsputn(text, count);
    }
    return Drain() && WriteAll(text, static_cast<std::size_t>(count)) ? count : 0;
}

bool FdStreamBuffer::Drain() {
    const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written;
}

bool FdStreamBuffer::WriteAll(const char* text, std::size_t count) {
    const long long start = written_;
    std::size_t left = count;
    while (left > 0 && error_ == 0) {
        const ssize_t written = ::write(fd_, text, left);
        if (written < 0 && errno != EINTR) {
            error_ = errno;
        } else if (written > 0) {
            text += written;
            left -= static_cast<std::size_t>(written);
            written_ += written;
        }
    }
    if (written_ > start) {
        StartWriteback(fd_, start, static_cast<std::size_t>(written_ - start));
    }
    return error_ == 0;
}

}  // namespace rivo::tool

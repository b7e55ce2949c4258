#include "output/fd_stream_buffer.h"

#include <unistd.h>

#include <cerrno>

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

bool FdStreamBuffer::Drain() {
    const char* next = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0 && error_ == 0) {
        const ssize_t written = ::write(fd_, next, left);
        if (written < 0 && errno != EINTR) {
            error_ = errno;
        } else if (written > 0) {
            next += written;
            left -= static_cast<std::size_t>(written);
        }
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

}  // namespace rivo::tool

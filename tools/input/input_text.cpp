#include "input/input_text.h"

#include <zlib.h>

#ifndef _WIN32
#include <sys/mman.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include "input/input_error.h"

namespace rivo::tool {

namespace {

std::string SystemError(const std::string& name, const char* action) {
    return name + ": cannot " + action + ": " + std::strerror(errno);
}

bool IsGzip(std::string_view bytes) {
    return bytes.starts_with("\x1f\x8b");
}

// The first size of the buffer a gzip file is decompressed into: what gzip
// records in its last four bytes (the size of the last member, modulo
// 4 GiB), one byte more so that a right guess needs no second buffer.
// Deflate shrinks a text at most about 1032 times, which bounds what a
// damaged record may ask for.
std::size_t FirstCapacity(std::string_view compressed) {
    std::uint32_t recorded = 0;
    if (compressed.size() >= 4) {
        for (std::size_t i = compressed.size() - 4; i < compressed.size(); ++i) {
            recorded |= std::uint32_t{static_cast<unsigned char>(compressed[i])}
                        << (8 * (i + 4 - compressed.size()));
        }
    }
    const std::size_t floor = std::size_t{1} << 16;
    return std::clamp<std::size_t>(std::size_t{recorded} + 1, floor,
                                   compressed.size() * 1032 + floor);
}

// zlib counts in 32 bits: larger spans go through in pieces.
uInt Piece(std::size_t size) {
    return static_cast<uInt>(std::min<std::size_t>(size, std::size_t{1} << 30));
}

// A gzip decompression, ended however it ends.
class GzipStream {
public:
    GzipStream() {
        if (inflateInit2(&stream_, 16 + MAX_WBITS) != Z_OK) {
            throw std::bad_alloc();
        }
    }
    ~GzipStream() { inflateEnd(&stream_); }
    GzipStream(const GzipStream&) = delete;
    GzipStream& operator=(const GzipStream&) = delete;

    z_stream& operator*() { return stream_; }

private:
    z_stream stream_{};
};

// Whether `text` opens with a `[SECTION]` header: letters and underscores
// in brackets.
bool StartsWithSectionHeader(std::string_view text) {
    const std::size_t close = text.find(']');
    if (!text.starts_with('[') || close == std::string_view::npos || close < 2) {
        return false;
    }
    return std::all_of(
        text.begin() + 1, text.begin() + static_cast<std::ptrdiff_t>(close),
        [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; });
}

}  // namespace

void InputText::Release::operator()(char* bytes) const {
#ifndef _WIN32
    if (mappedLength > 0) {
        ::munmap(bytes, mappedLength);
        return;
    }
#endif
    delete[] bytes;
}

InputText InputText::FromFile(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               std::fclose);
    if (!file) {
        throw InputError(SystemError(path, "open"));
    }
    InputText text;
    bool loaded = false;
#ifndef _WIN32
    struct stat status {};
    const int fd = ::fileno(file.get());
    loaded = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
             text.Map(fd, static_cast<std::size_t>(status.st_size));
#endif
    if (!loaded && !text.ReadToEnd(file.get())) {
        throw InputError(SystemError(path, "read"));
    }
    text.Decode(path);
    return text;
}

InputText InputText::FromBytes(std::string_view bytes, std::string_view name) {
    InputText text = Copy(bytes);
    text.Decode(name);
    return text;
}

InputText InputText::Copy(std::string_view bytes) {
    InputText text = WithCapacity(bytes.size());
    std::copy(bytes.begin(), bytes.end(), text.bytes_.get());
    text.size_ = bytes.size();
    return text;
}

bool InputText::IsNetworkDocument(std::string_view path) const {
    const std::string_view text = View();
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) {
        if (text[first] == '{') {
            return true;
        }
        if (text[first] == ';' || StartsWithSectionHeader(text.substr(first))) {
            return false;
        }
    }
    return !IsSwmmPath(path);
}

InputText InputText::WithCapacity(std::size_t capacity) {
    InputText text;
    text.Grow(capacity);
    return text;
}

void InputText::Grow(std::size_t capacity) {
    std::unique_ptr<char, Release> bytes(new char[capacity + kTextPadding]);
    if (size_ > 0) {
        std::memcpy(bytes.get(), bytes_.get(), size_);
    }
    std::memset(bytes.get() + capacity, 0, kTextPadding);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
}

// The file's pages come straight from the page cache, and the mapping is
// followed by zeroed pages for the padding.
bool InputText::Map([[maybe_unused]] int fd, [[maybe_unused]] std::size_t size) {
#ifdef _WIN32
    return false;
#else
    if (size == 0) {
        return false;
    }
    void* region =
        ::mmap(nullptr, size + kTextPadding, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
        return false;
    }
    if (::mmap(region, size, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, fd, 0) ==
        MAP_FAILED) {
        ::munmap(region, size + kTextPadding);
        return false;
    }
    bytes_ =
        std::unique_ptr<char, Release>(static_cast<char*>(region), Release{size + kTextPadding});
    size_ = capacity_ = size;
    return true;
#endif
}

// Appends what `file` holds from where it stands to its end.
bool InputText::ReadToEnd(std::FILE* file) {
    for (;;) {
        if (size_ == capacity_) {
            Grow(std::max<std::size_t>(2 * capacity_, std::size_t{1} << 16));
        }
        const std::size_t wanted = capacity_ - size_;
        const std::size_t count = std::fread(bytes_.get() + size_, 1, wanted, file);
        size_ += count;
        if (count < wanted) {
            return std::ferror(file) == 0;
        }
    }
}

// Members of a gzip file one after another are one text, as zcat reads
// them; anything after the last member is ignored, as gzip ignores it.
InputText InputText::Inflate(std::string_view compressed, std::string_view name) {
    GzipStream stream;
    InputText text = WithCapacity(FirstCapacity(compressed));
    const auto* next = reinterpret_cast<const Bytef*>(compressed.data());
    std::size_t left = compressed.size();
    for (;;) {
        if (text.size_ == text.capacity_) {
            text.Grow(2 * text.capacity_);
        }
        (*stream).next_in = const_cast<Bytef*>(next);  // zlib does not write there
        (*stream).avail_in = Piece(left);
        (*stream).next_out = reinterpret_cast<Bytef*>(text.bytes_.get() + text.size_);
        (*stream).avail_out = Piece(text.capacity_ - text.size_);
        const uInt offered = (*stream).avail_in, room = (*stream).avail_out;
        const int status = inflate(&*stream, Z_NO_FLUSH);
        next += offered - (*stream).avail_in;
        left -= offered - (*stream).avail_in;
        text.size_ += room - (*stream).avail_out;
        if (status == Z_STREAM_END) {
            if (!IsGzip({reinterpret_cast<const char*>(next), left})) {
                return text;
            }
            inflateReset(&*stream);
        } else if (status == Z_MEM_ERROR) {
            throw std::bad_alloc();
        } else if (status == Z_BUF_ERROR) {
            throw InputError(std::string(name) + ": cannot decompress: the file ends early");
        } else if (status != Z_OK) {
            throw InputError(std::string(name) + ": cannot decompress: " +
                             ((*stream).msg != nullptr ? (*stream).msg : "damaged data"));
        }
    }
}

void InputText::Decode(std::string_view name) {
    if (IsGzip(View())) {
        *this = Inflate(View(), name);
    }
    const std::string_view text = View();
    if (text.starts_with("\xff\xfe") || text.starts_with("\xfe\xff") ||
        text.find('\0') != std::string_view::npos) {
        throw InputError(std::string(name) + ": not a text file (UTF-16?)");
    }
    if (text.starts_with("\xef\xbb\xbf")) {
        start_ = 3;
    }
}

bool IsSwmmPath(std::string_view path) {
    std::string end(path.substr(path.size() - std::min<std::size_t>(path.size(), 7)));
    for (char& c : end) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return end.ends_with(".INP") || end.ends_with(".INP.GZ");
}

}  // namespace rivo::tool

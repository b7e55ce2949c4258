#include "network_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>
#include <utility>

#include "input_error.h"
#include "network_sax_handler.h"
#include "posix_io.h"
#include "tracked_input.h"
#include "well_formed_reader.h"

namespace rivo::tool {

namespace {

std::string SystemError(const std::string& name, const char* action) {
    return name + ": cannot " + action + ": " + std::strerror(errno);
}

// A whole text in memory with the bytes the fast reader may read past its
// end: a regular file mapped (its pages come straight from the page cache,
// and the mapping is followed by zeroed pages), anything else read.
class PaddedText {
public:
    explicit PaddedText(std::string_view text) : PaddedText(text.size()) {
        std::copy(text.begin(), text.end(), bytes_.get());
        size_ = text.size();
    }
    PaddedText(PaddedText&& other) noexcept
        : bytes_(std::move(other.bytes_)),
          size_(other.size_),
          capacity_(other.capacity_),
          mapped_(std::exchange(other.mapped_, nullptr)) {}
    PaddedText& operator=(PaddedText&&) = delete;
    ~PaddedText() {
        if (mapped_ != nullptr) {
            ::munmap(mapped_, size_ + kTextPadding);
        }
    }

    // Throws InputError.
    static PaddedText Load(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            throw InputError(SystemError(path, "open"));
        }
        struct stat status {};
        PaddedText text(0);
        const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
        const bool loaded = (regular && text.Map(fd, static_cast<std::size_t>(status.st_size))) ||
                            text.ReadToEnd(fd);
        const int error = errno;
        ::close(fd);
        if (!loaded) {
            errno = error;
            throw InputError(SystemError(path, "read"));
        }
        return text;
    }

    std::string_view View() const {
        return {mapped_ != nullptr ? static_cast<const char*>(mapped_) : bytes_.get(), size_};
    }

private:
    explicit PaddedText(std::size_t capacity) { Reserve(capacity); }

    bool Map(int fd, std::size_t size) {
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
        mapped_ = region;
        size_ = size;
        return true;
    }

    // Appends what `fd` holds from where it stands to its end.
    bool ReadToEnd(int fd) {
        for (;;) {
            if (size_ == capacity_) {
                Reserve(std::max<std::size_t>(2 * capacity_, std::size_t{1} << 16));
            }
            const ssize_t count = ::read(fd, bytes_.get() + size_, capacity_ - size_);
            if (count == 0) {
                return true;
            }
            if (count < 0 && errno != EINTR) {
                return false;
            }
            size_ += static_cast<std::size_t>(std::max<ssize_t>(count, 0));
        }
    }

    void Reserve(std::size_t capacity) {
        auto bytes = std::make_unique_for_overwrite<char[]>(capacity + kTextPadding);
        if (size_ > 0) {
            std::memcpy(bytes.get(), bytes_.get(), size_);
        }
        std::memset(bytes.get() + capacity, 0, kTextPadding);
        bytes_ = std::move(bytes);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    void* mapped_ = nullptr;
};

std::string Locate(std::string_view name, const NetworkSaxHandler::Problem& problem) {
    std::string message(name);
    if (problem.where) {
        message +=
            ":" + std::to_string(problem.where->line) + ":" + std::to_string(problem.where->column);
    }
    return message + ": " + problem.what;
}

host::Network Read(const PaddedText& text, std::string_view name) {
    std::optional<host::Network> network = ReadWellFormed(text.View());
    return network ? std::move(*network) : ReadNetworkTextChecked(text.View(), name);
}

}  // namespace

host::Network ReadNetworkFile(const std::string& path) {
    return Read(PaddedText::Load(path), path);
}

host::Network ReadNetworkText(std::string_view text, std::string_view name) {
    return Read(PaddedText(text), name);
}

host::Network ReadNetworkTextChecked(std::string_view text, std::string_view name) {
    bool given = false;
    TrackedInput input([&]() -> std::span<const char> {
        if (given) {
            return {};
        }
        given = true;
        return {text.data(), text.size()};
    });
    host::Network document;
    NetworkSaxHandler handler(document, input);
    if (!nlohmann::json::sax_parse(input.begin(), input.end(), &handler)) {
        throw InputError(Locate(name, handler.problem()));
    }
    return document;
}

}  // namespace rivo::tool

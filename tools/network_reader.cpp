#include "network_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <vector>

#include "input_error.h"
#include "network_sax_handler.h"
#include "tracked_input.h"

namespace rivo::tool {

namespace {

std::string SystemError(const std::string& name, const char* action) {
    return name + ": cannot " + action + ": " + std::strerror(errno);
}

// A file read in large blocks, so that a document of any size streams
// through a fixed buffer.
class FileBlocks {
public:
    explicit FileBlocks(const std::string& path) : path_(path), buffer_(kBlockSize) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            throw InputError(SystemError(path_, "open"));
        }
    }
    FileBlocks(const FileBlocks&) = delete;
    FileBlocks& operator=(const FileBlocks&) = delete;
    ~FileBlocks() { ::close(fd_); }

    std::span<const char> Next() {
        ssize_t count = 0;
        do {
            count = ::read(fd_, buffer_.data(), buffer_.size());
        } while (count < 0 && errno == EINTR);
        if (count < 0) {
            throw InputError(SystemError(path_, "read"));
        }
        return {buffer_.data(), static_cast<std::size_t>(count)};
    }

private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    std::string path_;
    std::vector<char> buffer_;
    int fd_ = -1;
};

std::string Locate(std::string_view name, const NetworkSaxHandler::Problem& problem) {
    std::string message(name);
    if (problem.where) {
        message +=
            ":" + std::to_string(problem.where->line) + ":" + std::to_string(problem.where->column);
    }
    return message + ": " + problem.what;
}

host::Network Read(TrackedInput& input, std::string_view name) {
    host::Network document;
    NetworkSaxHandler handler(document, input);
    if (!nlohmann::json::sax_parse(input.begin(), input.end(), &handler)) {
        throw InputError(Locate(name, handler.problem()));
    }
    return document;
}

}  // namespace

host::Network ReadNetworkFile(const std::string& path) {
    FileBlocks blocks(path);
    TrackedInput input([&blocks] { return blocks.Next(); });
    return Read(input, path);
}

host::Network ReadNetworkText(std::string_view text, std::string_view name) {
    bool given = false;
    TrackedInput input([&]() -> std::span<const char> {
        if (given) {
            return {};
        }
        given = true;
        return {text.data(), text.size()};
    });
    return Read(input, name);
}

}  // namespace rivo::tool

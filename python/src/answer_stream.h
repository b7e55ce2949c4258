#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>
#include <stop_token>
#include <thread>
#include <vector>

#include "tool_bridge.h"

namespace rivo::python {

// The per-node and per-link answers of a result, read on a thread of their
// own while the caller builds the Python objects of the rows read so far. On
// a large network both take seconds; the parser needs no GIL and the
// objects need no parser, so the two overlap. The rows are read in input
// order, nodes first, as the tool reads them. The parser must not be used
// otherwise until the stream is destroyed.
class AnswerStream {
public:
    AnswerStream(dyn::RivoNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                 std::span<const std::int32_t> linkIDs);
    // Stops the reading and waits for the thread.
    ~AnswerStream() = default;
    AnswerStream(const AnswerStream&) = delete;
    AnswerStream& operator=(const AnswerStream&) = delete;

    std::size_t nodeCount() const { return nodes_.size(); }
    std::size_t linkCount() const { return links_.size(); }
    // Waits until the row is read, without the GIL; what the reading thread
    // threw is thrown here. Called with the GIL held.
    const NodeRow& Node(std::size_t i);
    const LinkRow& Link(std::size_t i);

private:
    static constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

    void Read(std::stop_token stop);
    void WaitFor(std::size_t row);

    dyn::RivoNetworkParser& parser_;
    std::span<const std::int32_t> nodeIDs_;
    std::span<const std::int32_t> linkIDs_;
    std::vector<NodeRow> nodes_;
    std::vector<LinkRow> links_;
    // Rows read so far (nodes, then links), or kFailed.
    std::atomic<std::size_t> done_{0};
    std::size_t seen_ = 0;  // what the caller last saw of done_
    std::exception_ptr failure_;
    std::jthread reader_;  // the last member: it starts once the others exist
};

}  // namespace rivo::python

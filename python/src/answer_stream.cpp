#include "answer_stream.h"

#include <pybind11/pybind11.h>

#include <algorithm>

namespace rivo::python {

namespace {

// Rows read between two wake-ups of the caller.
constexpr std::size_t kBatch = 4096;

}  // namespace

AnswerStream::AnswerStream(dyn::RivoNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
                           std::span<const std::int32_t> linkIDs)
    : parser_(parser),
      nodeIDs_(nodeIDs),
      linkIDs_(linkIDs),
      nodes_(nodeIDs.size()),
      links_(linkIDs.size()),
      reader_([this](std::stop_token stop) { Read(stop); }) {}

void AnswerStream::Read(std::stop_token stop) {
    auto publish = [this](std::size_t rows) {
        done_.store(rows, std::memory_order_release);
        done_.notify_one();
    };
    // Reads the rows of one kind a batch at a time, publishing before each.
    auto readAll = [&](auto& rows, std::span<const std::int32_t> ids, std::size_t before,
                       auto readPiece) {
        for (std::size_t i = 0; i < rows.size(); i += kBatch) {
            publish(before + i);
            if (stop.stop_requested()) {
                return false;
            }
            readPiece(ids.subspan(i, std::min(kBatch, rows.size() - i)), rows.begin() + i);
        }
        return true;
    };
    try {
        std::vector<dyn::NodeAnswers> nodes;
        std::vector<dyn::LinkAnswers> links;
        const bool whole = readAll(nodes_, nodeIDs_, 0,
                                   [&](std::span<const std::int32_t> ids, auto to) {
                                       nodes.clear();
                                       dyn::ReadNodes(parser_, ids, nodes);
                                       std::transform(nodes.begin(), nodes.end(), to, ToNodeRow);
                                   }) &&
                           readAll(links_, linkIDs_, nodes_.size(),
                                   [&](std::span<const std::int32_t> ids, auto to) {
                                       links.clear();
                                       dyn::ReadLinks(parser_, ids, links);
                                       std::transform(links.begin(), links.end(), to, ToLinkRow);
                                   });
        if (whole) {
            publish(nodes_.size() + links_.size());
        }
    } catch (...) {
        failure_ = std::current_exception();
        publish(kFailed);
    }
}

void AnswerStream::WaitFor(std::size_t row) {
    while (seen_ <= row) {
        seen_ = done_.load(std::memory_order_acquire);
        if (seen_ == kFailed) {
            std::rethrow_exception(failure_);
        }
        if (seen_ <= row) {
            // Other threads may build their own results meanwhile.
            pybind11::gil_scoped_release release;
            done_.wait(seen_, std::memory_order_acquire);
        }
    }
}

const NodeRow& AnswerStream::Node(std::size_t i) {
    WaitFor(i);
    return nodes_[i];
}

const LinkRow& AnswerStream::Link(std::size_t i) {
    WaitFor(nodes_.size() + i);
    return links_[i];
}

}  // namespace rivo::python

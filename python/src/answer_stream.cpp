#include "answer_stream.h"

#include <pybind11/pybind11.h>

namespace rivo::python {

namespace {

// Rows read between two wake-ups of the caller.
constexpr std::size_t kBatch = 4096;

}  // namespace

AnswerStream::AnswerStream(dyn::IVFLDNetworkParser& parser, std::span<const std::int32_t> nodeIDs,
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
    try {
        std::size_t row = 0;
        for (std::size_t i = 0; i < nodes_.size(); ++i, ++row) {
            if (row % kBatch == 0 && (publish(row), stop.stop_requested())) {
                return;
            }
            nodes_[i] = ReadNodeAnswers(parser_, nodeIDs_[i]);
        }
        for (std::size_t i = 0; i < links_.size(); ++i, ++row) {
            if (row % kBatch == 0 && (publish(row), stop.stop_requested())) {
                return;
            }
            links_[i] = ReadLinkAnswers(parser_, linkIDs_[i]);
        }
        publish(row);
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

#include "answer_stream.h"

#include <pybind11/pybind11.h>

#include <algorithm>

#include "host/result_reader.h"

namespace rivo::python {

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
    // Turns each piece into rows and wakes the caller for them; the rows of
    // one kind stand after `before` rows of the other.
    auto rowsFrom = [&](auto& rows, std::size_t before, auto toRow) {
        return [&rows, before, toRow, &publish, &stop](std::size_t first, auto piece) {
            std::transform(piece.begin(), piece.end(), rows.begin() + first, toRow);
            publish(before + first + piece.size());
            return !stop.stop_requested();
        };
    };
    try {
        const bool whole = host::ReadInPieces<dyn::NodeAnswers>(parser_, nodeIDs_,
                                                                rowsFrom(nodes_, 0, ToNodeRow)) &&
                           host::ReadInPieces<dyn::LinkAnswers>(
                               parser_, linkIDs_, rowsFrom(links_, nodes_.size(), ToLinkRow));
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

#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rivo/rivo.h"

namespace rivo::python {

namespace dyn = Velmora::Calculations::Dynamic;

// The parser behind a Python NetworkParser, shared with every Branch and
// PumpLink it hands out: a record stays readable when the NetworkParser
// object is dropped first, and reading it after release() raises instead of
// touching freed memory. All members are used with the GIL held.
class ParserState {
public:
    // The parser for a call about to be made. Raises RuntimeError when it
    // was released, or while another thread is inside a call that let go of
    // the GIL (a parser serves one thread at a time).
    dyn::RivoNetworkParser& Use();
    // Releases the parser as the host does; a second release does nothing.
    void Release();
    bool released() const { return released_; }
    // Why the parser cannot be used now, or nothing when it can.
    const char* Unavailable() const;

    // Held around a call that releases the GIL: other threads that reach
    // this parser meanwhile get an error instead of a data race.
    class Busy {
    public:
        explicit Busy(ParserState& state);
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
        ~Busy() { state_.busy_ = false; }

    private:
        ParserState& state_;
    };

    // IDs of the nodes and links the parser accepted, in input order: the
    // per-node and per-link part of result().
    std::vector<std::int32_t> nodeIDs;
    std::vector<std::int32_t> linkIDs;
    // What parse_network returned; nothing until a parse succeeded.
    std::optional<bool> parsed;

private:
    dyn::RivoNetworkParser parser_;
    bool released_ = false;
    bool busy_ = false;
};

}  // namespace rivo::python

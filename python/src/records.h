#pragma once

#include <memory>

#include "parser_state.h"

namespace rivo::python {

// A branch or loop branch handed to Python. It shares the parser state, so
// the record it reads lives as long as this object does.
struct BranchObject {
    std::shared_ptr<ParserState> state;
    std::unique_ptr<dyn::IVBranch> branch;

    const dyn::IVBranch& Get() const {
        state->Use();
        return *branch;
    }
};

struct PumpLinkObject {
    std::shared_ptr<ParserState> state;
    std::unique_ptr<dyn::IVPumpLink> pumpLink;

    const dyn::IVPumpLink& Get() const {
        state->Use();
        return *pumpLink;
    }
};

}  // namespace rivo::python

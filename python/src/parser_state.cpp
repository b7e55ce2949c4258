#include "parser_state.h"

#include <stdexcept>

namespace rivo::python {

dyn::RivoNetworkParser& ParserState::Use() {
    if (released_) {
        throw std::runtime_error("the parser has been released");
    }
    if (busy_) {
        throw std::runtime_error("the parser is in use by another thread");
    }
    return parser_;
}

void ParserState::Release() {
    if (released_) {
        return;
    }
    Use();
    parser_.Release();
    released_ = true;
}

ParserState::Busy::Busy(ParserState& state) : state_(state) {
    state_.Use();
    state_.busy_ = true;
}

}  // namespace rivo::python

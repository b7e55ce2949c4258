#include "parser_state.h"

#include <stdexcept>

namespace rivo::python {

const char* ParserState::Unavailable() const {
    if (released_) {
        return "the parser has been released";
    }
    return busy_ ? "the parser is in use by another thread" : nullptr;
}

dyn::RivoNetworkParser& ParserState::Use() {
    if (const char* reason = Unavailable()) {
        throw std::runtime_error(reason);
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

#pragma once

#include <stdexcept>

namespace rivo::tool {

// The input file cannot be used: unreadable, not JSON, or a field that does
// not fit. what() is the whole one-line message, `FILE:LINE:COLUMN: problem`
// or `FILE: problem`.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace rivo::tool

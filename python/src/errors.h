#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <optional>

#include "rivo/rivo.h"

namespace rivo::python {

// Makes the parser's CKtHRException reach Python as rivo.ParserError (with
// `hresult` and `message`) and the tool readers' failures as rivo.InputError.
void RegisterErrors();

// Raises rivo.ParserError for `error`; `index` is the element of a bulk call
// whose call raised.
[[noreturn]] void ThrowParserError(const CKtHRException& error, std::optional<std::size_t> index);

}  // namespace rivo::python

#pragma once

#include <optional>

#include "rivo.h"

namespace rivo::tool {

// The answer of a per-node or per-link query, or nothing when it raises: a
// node on no branch still gets its other answers.
template <class Query>
auto Ask(Query query) -> std::optional<decltype(query())> {
    try {
        return query();
    } catch (const CKtHRException&) {
        return std::nullopt;
    }
}

}  // namespace rivo::tool

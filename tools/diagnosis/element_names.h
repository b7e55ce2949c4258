#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rivo::tool {

// An element as messages name it: its ID, and for a SWMM model its name in
// quotes (`17 'J17'`). `names` lists the names of IDs 1, 2, ...; null for a
// network document, whose elements have none.
inline std::string Named(std::int32_t id, const std::vector<std::string>* names) {
    std::string text = std::to_string(id);
    if (names != nullptr && id >= 1 && static_cast<std::size_t>(id) <= names->size()) {
        text += " '" + (*names)[static_cast<std::size_t>(id - 1)] + "'";
    }
    return text;
}

// "A, B and C": the parts of a list in a sentence.
inline std::string JoinedList(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    }
    return text;
}

}  // namespace rivo::tool

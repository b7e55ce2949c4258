#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lexical layer of a SWMM input file: lines, section headers and fields.
namespace rivo::tool::swmm {

// The fields of one line: separated by blanks or tabs, a `;` outside quotes
// starts a comment, and a double-quoted field may hold blanks (the quotes
// are not part of it).
std::vector<std::string> SplitFields(std::string_view line);

// The upper-cased name of a `[SECTION]` header line, or nothing when the
// line is not a header.
std::optional<std::string> SectionHeader(std::string_view line);

// SWMM matches object names and keywords without regard to ASCII case.
std::string FoldCase(std::string_view text);

// A decimal number as SWMM writes them (`12`, `-0.5`, `1e3`, `+2`);
// nothing for anything else, including infinities and NaN.
std::optional<double> ParseNumber(std::string_view field);

// `text` as UTF-8: kept when it already is, otherwise each byte taken as
// Latin-1, the usual case of names written on a Windows code page.
std::string ToUtf8Name(std::string_view text);

}  // namespace rivo::tool::swmm

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "host/network_model.h"
#include "input/field_values.h"

namespace rivo::tool {

// One field of a record in the network document.
struct FieldInfo {
    std::string_view name;
    FieldKind kind;
    bool required;
};

// One array of records in the network document (nodes, links, pumpLinks,
// gutters): the rules of its fields and the records read so far. The reader
// works through this interface so that one state machine serves all four.
class RecordSection {
public:
    virtual ~RecordSection() = default;

    virtual std::string_view Name() const = 0;
    virtual std::size_t Count() const = 0;
    // Drops the records read, for a section named twice: the last one counts.
    virtual void Clear() = 0;
    // Makes room for `count` records, where a reader knows how many follow.
    virtual void Reserve(std::size_t count) = 0;
    // The most records a text of `bytes` bytes can hold: each names every
    // required field. A reader that makes room for that many fills the
    // records in one pass without counting them first; room never written
    // is never touched, so it costs address space only.
    virtual std::size_t MostRecordsIn(std::size_t bytes) const = 0;
    virtual void AppendRecord() = 0;
    // The index of the field called `key`, or -1 for a field the tool ignores.
    virtual int FindField(std::string_view key) const = 0;
    virtual const FieldInfo& Field(int index) const = 0;
    // Stores into the record appended last.
    virtual void Store(int index, const FieldValue& value) = 0;
    // The first required field whose bit is not set in `present`, or -1.
    virtual int FirstMissing(std::uint32_t present) const = 0;
};

inline constexpr std::size_t kSectionCount = 4;
// Index of the nodes section in MakeSections' result; it is required.
inline constexpr std::size_t kNodesSection = 0;

// The four sections, filling `document` as records are read.
std::array<std::unique_ptr<RecordSection>, kSectionCount> MakeSections(host::Network& document);

}  // namespace rivo::tool

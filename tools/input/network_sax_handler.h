#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "host/network_model.h"
#include "input/field_values.h"
#include "input/network_fields.h"
#include "input/tracked_input.h"

namespace rivo::tool {

// Receives the JSON reader's events for a network document and fills the
// document's records directly, so that no tree of the whole text is built.
// It knows where it is (top level, a section array, a record, or a value it
// skips) and stops at the first value that does not fit, keeping the problem
// with the JSON path and the place of the offending value.
class NetworkSaxHandler {
public:
    struct Problem {
        std::optional<TextPosition> where;
        std::string what;  // "links[3].target: required field is missing"
    };

    NetworkSaxHandler(host::Network& document, TrackedInput& input);

    // The reader's event interface (nlohmann::json::sax_parse).
    bool null();
    bool boolean(bool value);
    bool number_integer(std::int64_t value);
    bool number_unsigned(std::uint64_t value);
    bool number_float(double value, const std::string& text);
    bool string(std::string& value);
    bool binary(nlohmann::json::binary_t& value);
    bool start_object(std::size_t elements);
    bool key(std::string& name);
    bool end_object();
    bool start_array(std::size_t elements);
    bool end_array();
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::json::exception& error);

    // Set once an event has returned false.
    const Problem& problem() const { return problem_; }

private:
    enum class Place : std::uint8_t { kBeforeDocument, kTopLevel, kSection, kRecord, kSkipping };

    bool Scalar(const JsonScalar& scalar);
    bool Open(bool isArray);
    bool Close();
    bool OpenInTopLevel(bool isArray);
    bool OpenInSection(bool isArray);
    bool StoreField(const JsonScalar& scalar);
    bool EndRecord();
    void Skip();
    bool Fail(TextPosition where, const std::string& path, const std::string& what);
    std::string ElementPath(std::size_t index) const;
    std::string FieldPath(int field) const;
    // Every event marks the input, so the next token's start can be found.
    bool Marked(bool carryOn) {
        input_.Mark();
        return carryOn;
    }

    TrackedInput& input_;
    std::array<std::unique_ptr<RecordSection>, kSectionCount> sections_;
    Place place_ = Place::kBeforeDocument;
    Place placeAfterSkip_ = Place::kBeforeDocument;
    std::size_t skipDepth_ = 0;
    RecordSection* section_ = nullptr;
    int field_ = -1;  // the section (top level) or field (record) of the last key
    std::uint32_t present_ = 0;
    TextPosition documentStart_;
    TextPosition recordStart_;
    bool nodesSeen_ = false;
    Problem problem_;
};

}  // namespace rivo::tool

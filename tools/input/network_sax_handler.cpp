#include "input/network_sax_handler.h"

namespace rivo::tool {

namespace {

// nlohmann's exception id for a number literal beyond the range of a double.
constexpr int kNumberOverflow = 406;

std::string Found(bool isArray) {
    return isArray ? "found an array" : "found an object";
}

// nlohmann's messages begin "[json.exception.parse_error.101] parse error at
// line 1, column 4: "; the place is given in the tool's own form instead.
std::string SyntaxProblem(const std::string& message) {
    std::string::size_type colon = message.find(": ");
    return colon == std::string::npos ? message : message.substr(colon + 2);
}

}  // namespace

NetworkSaxHandler::NetworkSaxHandler(host::Network& document, TrackedInput& input)
    : input_(input), sections_(MakeSections(document)) {}

bool NetworkSaxHandler::null() {
    return Marked(Scalar(JsonScalar()));
}

bool NetworkSaxHandler::boolean(bool value) {
    return Marked(Scalar(JsonScalar::Boolean(value)));
}

bool NetworkSaxHandler::number_integer(std::int64_t value) {
    return Marked(Scalar(JsonScalar::Integer(value)));
}

bool NetworkSaxHandler::number_unsigned(std::uint64_t value) {
    return Marked(Scalar(JsonScalar::Unsigned(value)));
}

bool NetworkSaxHandler::number_float(double value, const std::string& text) {
    return Marked(Scalar(JsonScalar::Decimal(value, text)));
}

bool NetworkSaxHandler::string(std::string& /*value*/) {
    return Marked(Scalar(JsonScalar::String()));
}

bool NetworkSaxHandler::binary(nlohmann::json::binary_t& /*value*/) {
    return Marked(Scalar(JsonScalar::String()));  // JSON text has none
}

bool NetworkSaxHandler::start_object(std::size_t /*elements*/) {
    return Marked(Open(false));
}

bool NetworkSaxHandler::start_array(std::size_t /*elements*/) {
    return Marked(Open(true));
}

bool NetworkSaxHandler::end_object() {
    return Marked(Close());
}

bool NetworkSaxHandler::end_array() {
    return Marked(Close());
}

bool NetworkSaxHandler::key(std::string& name) {
    if (place_ == Place::kTopLevel) {
        field_ = -1;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            if (sections_[i]->Name() == name) {
                field_ = static_cast<int>(i);
            }
        }
    } else if (place_ == Place::kRecord) {
        field_ = section_->FindField(name);
    }
    return Marked(true);
}

bool NetworkSaxHandler::parse_error(std::size_t position, const std::string& lastToken,
                                    const nlohmann::json::exception& error) {
    // The reader rejects a number beyond the range of a double itself, as
    // an overflow; it is a value that does not fit rather than broken JSON.
    if (error.id == kNumberOverflow) {
        const std::string path = place_ == Place::kRecord && field_ >= 0 ? FieldPath(field_) : "";
        return Fail(input_.TokenStart(), path, lastToken + " is not a finite number");
    }
    // `position` counts the bytes read up to and including the offending one.
    std::uint64_t offset = position > 0 ? position - 1 : 0;
    problem_ = {input_.PositionOfOffset(offset), "invalid JSON: " + SyntaxProblem(error.what())};
    return false;
}

bool NetworkSaxHandler::Scalar(const JsonScalar& scalar) {
    const TextPosition where = input_.TokenStart();
    switch (place_) {
        case Place::kBeforeDocument:
            return Fail(where, "", "expected an object, found " + DescribeScalar(scalar));
        case Place::kTopLevel:
            if (field_ < 0) {
                return true;  // a field the tool ignores
            }
            return Fail(where, std::string(sections_[static_cast<std::size_t>(field_)]->Name()),
                        "expected an array, found " + DescribeScalar(scalar));
        case Place::kSection:
            return Fail(where, ElementPath(section_->Count()),
                        "expected an object, found " + DescribeScalar(scalar));
        case Place::kRecord:
            return field_ < 0 || StoreField(scalar);
        case Place::kSkipping:
            return true;
    }
    return true;
}

bool NetworkSaxHandler::StoreField(const JsonScalar& scalar) {
    FieldValue value;
    std::optional<std::string> wrong = ConvertScalar(section_->Field(field_).kind, scalar, value);
    if (wrong) {
        return Fail(input_.TokenStart(), FieldPath(field_), *wrong);
    }
    section_->Store(field_, value);
    present_ |= 1u << field_;
    return true;
}

bool NetworkSaxHandler::Open(bool isArray) {
    switch (place_) {
        case Place::kBeforeDocument:
            if (isArray) {
                return Fail(input_.TokenStart(), "", "expected an object, found an array");
            }
            documentStart_ = input_.TokenStart();
            place_ = Place::kTopLevel;
            return true;
        case Place::kTopLevel:
            return OpenInTopLevel(isArray);
        case Place::kSection:
            return OpenInSection(isArray);
        case Place::kRecord:
            if (field_ >= 0) {
                return Fail(input_.TokenStart(), FieldPath(field_),
                            "expected " + std::string(ExpectedText(section_->Field(field_).kind)) +
                                ", " + Found(isArray));
            }
            Skip();
            return true;
        case Place::kSkipping:
            ++skipDepth_;
            return true;
    }
    return true;
}

bool NetworkSaxHandler::OpenInTopLevel(bool isArray) {
    if (field_ < 0) {
        Skip();
        return true;
    }
    const auto index = static_cast<std::size_t>(field_);
    section_ = sections_[index].get();
    if (!isArray) {
        return Fail(input_.TokenStart(), std::string(section_->Name()),
                    "expected an array, found an object");
    }
    section_->Clear();
    nodesSeen_ = nodesSeen_ || index == kNodesSection;
    place_ = Place::kSection;
    return true;
}

bool NetworkSaxHandler::OpenInSection(bool isArray) {
    if (isArray) {
        return Fail(input_.TokenStart(), ElementPath(section_->Count()),
                    "expected an object, found an array");
    }
    section_->AppendRecord();
    recordStart_ = input_.TokenStart();
    present_ = 0;
    field_ = -1;
    place_ = Place::kRecord;
    return true;
}

bool NetworkSaxHandler::Close() {
    switch (place_) {
        case Place::kSkipping:
            if (--skipDepth_ == 0) {
                place_ = placeAfterSkip_;
            }
            return true;
        case Place::kRecord:
            return EndRecord();
        case Place::kSection:
            place_ = Place::kTopLevel;
            return true;
        case Place::kTopLevel:
            if (!nodesSeen_) {
                return Fail(documentStart_, "nodes", "required field is missing");
            }
            place_ = Place::kBeforeDocument;  // the reader rejects anything after it
            return true;
        case Place::kBeforeDocument:
            return true;
    }
    return true;
}

bool NetworkSaxHandler::EndRecord() {
    const int missing = section_->FirstMissing(present_);
    if (missing >= 0) {
        return Fail(recordStart_, FieldPath(missing), "required field is missing");
    }
    place_ = Place::kSection;
    return true;
}

void NetworkSaxHandler::Skip() {
    placeAfterSkip_ = place_;
    place_ = Place::kSkipping;
    skipDepth_ = 1;
}

bool NetworkSaxHandler::Fail(TextPosition where, const std::string& path, const std::string& what) {
    problem_ = {where, path.empty() ? what : path + ": " + what};
    return false;
}

std::string NetworkSaxHandler::ElementPath(std::size_t index) const {
    return std::string(section_->Name()) + "[" + std::to_string(index) + "]";
}

std::string NetworkSaxHandler::FieldPath(int field) const {
    return ElementPath(section_->Count() - 1) + "." + std::string(section_->Field(field).name);
}

}  // namespace rivo::tool

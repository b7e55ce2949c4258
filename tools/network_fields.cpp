#include "network_fields.h"

#include <optional>
#include <span>
#include <type_traits>
#include <vector>

namespace rivo::tool {

namespace {

template <class Member>
struct MemberOf;
template <class Record, class Type>
struct MemberOf<Type Record::*> {
    using RecordType = Record;
};

// Stores a converted value into one member of a record; the member's type
// picks the part of the value.
template <auto Member>
void Assign(typename MemberOf<decltype(Member)>::RecordType& record, const FieldValue& value) {
    auto& field = record.*Member;
    using Type = std::remove_cvref_t<decltype(field)>;
    if constexpr (std::is_same_v<Type, bool> || std::is_same_v<Type, std::optional<bool>>) {
        field = value.boolean;
    } else if constexpr (std::is_same_v<Type, double> ||
                         std::is_same_v<Type, std::optional<double>>) {
        field = value.number;
    } else {
        field = static_cast<Type>(value.integer);
    }
}

template <class Record>
struct FieldRule {
    FieldInfo info;
    void (*store)(Record&, const FieldValue&);
};

constexpr FieldKind kId = FieldKind::kId;
constexpr FieldKind kType = FieldKind::kType;
constexpr FieldKind kNumber = FieldKind::kNumber;
constexpr FieldKind kBool = FieldKind::kBool;

constexpr FieldRule<NodeRecord> kNodeFields[] = {
    {{"id", kId, true}, &Assign<&NodeRecord::id>},
    {{"x", kNumber, true}, &Assign<&NodeRecord::x>},
    {{"y", kNumber, true}, &Assign<&NodeRecord::y>},
    {{"type", kType, true}, &Assign<&NodeRecord::type>},
    {{"pond", kBool, false}, &Assign<&NodeRecord::pond>},
    {{"storage", kBool, false}, &Assign<&NodeRecord::storage>},
};

constexpr FieldRule<LinkRecord> kLinkFields[] = {
    {{"id", kId, true}, &Assign<&LinkRecord::id>},
    {{"source", kId, true}, &Assign<&LinkRecord::source>},
    {{"target", kId, true}, &Assign<&LinkRecord::target>},
    {{"sourceElevation", kNumber, true}, &Assign<&LinkRecord::sourceElevation>},
    {{"targetElevation", kNumber, true}, &Assign<&LinkRecord::targetElevation>},
    {{"size", kNumber, true}, &Assign<&LinkRecord::size>},
    {{"type", kType, true}, &Assign<&LinkRecord::type>},
    {{"length", kNumber, false}, &Assign<&LinkRecord::length>},
};

constexpr FieldRule<PumpLinkRecord> kPumpLinkFields[] = {
    {{"id", kId, true}, &Assign<&PumpLinkRecord::id>},
    {{"upstream", kId, true}, &Assign<&PumpLinkRecord::upstream>},
    {{"downstream", kId, true}, &Assign<&PumpLinkRecord::downstream>},
};

constexpr FieldRule<GutterRecord> kGutterFields[] = {
    {{"id", kId, true}, &Assign<&GutterRecord::id>},
    {{"sameDirectionAsUI", kBool, true}, &Assign<&GutterRecord::sameDirectionAsUI>},
};

template <class Record>
class SectionOf final : public RecordSection {
public:
    SectionOf(std::string_view name, std::vector<Record>& records,
              std::span<const FieldRule<Record>> rules)
        : name_(name), records_(records), rules_(rules) {}

    std::string_view Name() const override { return name_; }
    std::size_t Count() const override { return records_.size(); }
    void Clear() override { records_.clear(); }
    void AppendRecord() override { records_.emplace_back(); }

    int FindField(std::string_view key) const override {
        for (std::size_t i = 0; i < rules_.size(); ++i) {
            if (rules_[i].info.name == key) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    const FieldInfo& Field(int index) const override { return rules_[Slot(index)].info; }

    void Store(int index, const FieldValue& value) override {
        rules_[Slot(index)].store(records_.back(), value);
    }

    int FirstMissing(std::uint32_t present) const override {
        for (std::size_t i = 0; i < rules_.size(); ++i) {
            if (rules_[i].info.required && (present & (1u << i)) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

private:
    static std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

    std::string_view name_;
    std::vector<Record>& records_;
    std::span<const FieldRule<Record>> rules_;
};

}  // namespace

std::array<std::unique_ptr<RecordSection>, kSectionCount> MakeSections(NetworkDocument& document) {
    return {
        std::make_unique<SectionOf<NodeRecord>>("nodes", document.nodes, kNodeFields),
        std::make_unique<SectionOf<LinkRecord>>("links", document.links, kLinkFields),
        std::make_unique<SectionOf<PumpLinkRecord>>("pumpLinks", document.pumpLinks,
                                                    kPumpLinkFields),
        std::make_unique<SectionOf<GutterRecord>>("gutters", document.gutters, kGutterFields),
    };
}

}  // namespace rivo::tool

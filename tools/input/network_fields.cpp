#include "input/network_fields.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstdint>
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

constexpr FieldRule<host::Node> kNodeFields[] = {
    {{"id", kId, true}, &Assign<&host::Node::id>},
    {{"x", kNumber, true}, &Assign<&host::Node::x>},
    {{"y", kNumber, true}, &Assign<&host::Node::y>},
    {{"type", kType, true}, &Assign<&host::Node::type>},
    {{"pond", kBool, false}, &Assign<&host::Node::pond>},
    {{"storage", kBool, false}, &Assign<&host::Node::storage>},
};

constexpr FieldRule<host::Link> kLinkFields[] = {
    {{"id", kId, true}, &Assign<&host::Link::id>},
    {{"source", kId, true}, &Assign<&host::Link::source>},
    {{"target", kId, true}, &Assign<&host::Link::target>},
    {{"sourceElevation", kNumber, true}, &Assign<&host::Link::sourceElevation>},
    {{"targetElevation", kNumber, true}, &Assign<&host::Link::targetElevation>},
    {{"size", kNumber, true}, &Assign<&host::Link::size>},
    {{"type", kType, true}, &Assign<&host::Link::type>},
    {{"length", kNumber, false}, &Assign<&host::Link::length>},
};

constexpr FieldRule<host::PumpLink> kPumpLinkFields[] = {
    {{"id", kId, true}, &Assign<&host::PumpLink::id>},
    {{"upstream", kId, true}, &Assign<&host::PumpLink::upstream>},
    {{"downstream", kId, true}, &Assign<&host::PumpLink::downstream>},
};

constexpr FieldRule<host::Gutter> kGutterFields[] = {
    {{"id", kId, true}, &Assign<&host::Gutter::id>},
    {{"sameDirectionAsUI", kBool, true}, &Assign<&host::Gutter::sameDirectionAsUI>},
};

// The records of a million-node network fill a hundred megabytes on first
// touch; backed by huge pages, that takes a few dozen faults instead of
// tens of thousands. Only a hint: the records are the same either way.
void AdviseHugePages([[maybe_unused]] void* records, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(records);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
}

template <class Record>
class SectionOf final : public RecordSection {
public:
    SectionOf(std::string_view name, std::vector<Record>& records,
              std::span<const FieldRule<Record>> rules)
        : name_(name), records_(records), rules_(rules) {}

    std::string_view Name() const override { return name_; }
    std::size_t Count() const override { return records_.size(); }
    void Clear() override { records_.clear(); }
    void Reserve(std::size_t count) override {
        records_.reserve(count);
        AdviseHugePages(records_.data(), records_.capacity() * sizeof(Record));
    }
    void AppendRecord() override { records_.emplace_back(); }

    // The shortest record is `{"id":0,"x":0,...}`: a required field takes
    // its quoted name, a colon, a one-character value and a comma or brace.
    std::size_t MostRecordsIn(std::size_t bytes) const override {
        std::size_t shortest = 1;
        for (const FieldRule<Record>& rule : rules_) {
            shortest += rule.info.required ? rule.info.name.size() + 5 : 0;
        }
        return bytes / shortest + 1;
    }

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

std::array<std::unique_ptr<RecordSection>, kSectionCount> MakeSections(host::Network& document) {
    return {
        std::make_unique<SectionOf<host::Node>>("nodes", document.nodes, kNodeFields),
        std::make_unique<SectionOf<host::Link>>("links", document.links, kLinkFields),
        std::make_unique<SectionOf<host::PumpLink>>("pumpLinks", document.pumpLinks,
                                                    kPumpLinkFields),
        std::make_unique<SectionOf<host::Gutter>>("gutters", document.gutters, kGutterFields),
    };
}

}  // namespace rivo::tool

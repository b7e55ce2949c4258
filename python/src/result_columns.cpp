#include "result_columns.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <type_traits>
#include <variant>
#include <vector>

#include "host/result_reader.h"
#include "result_fields.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

// A new array of `size` elements. Until it is handed to Python no other code
// sees it, so `data` may be written without the GIL.
template <class T>
struct Column {
    explicit Column(std::size_t size)
        : array(static_cast<py::ssize_t>(size)), data(array.mutable_data()) {}
    py::array_t<T> array;
    T* data;
};

// Answers that can be missing: the value (0 or false where missing) and a
// mask that is true where it is missing, as numpy's masked arrays take them.
template <class T>
struct OptionalColumn {
    explicit OptionalColumn(std::size_t size) : values(size), missing(size) {}
    void Set(std::size_t i, const std::optional<T>& value) {
        values.data[i] = value.value_or(T{});
        missing.data[i] = !value.has_value();
    }
    py::object Masked(const py::module_& ma) const {
        return ma.attr("MaskedArray")(values.array, py::arg("mask") = missing.array);
    }
    Column<T> values;
    Column<bool> missing;
};

// The per-node or per-link answers of NodeRow or LinkRow: the IDs, then a
// column per answer.
template <class Row>
class AnswerColumns {
public:
    explicit AnswerColumns(std::size_t rows) : ids_(rows) {
        ForEachAnswer<Row>([&](auto member) {
            answers_.emplace_back(std::in_place_type<OptionalColumn<ValueOf<decltype(member)>>>,
                                  rows);
        });
    }

    void Set(std::size_t i, const Row& row) {
        ids_.data[i] = row.id;
        std::size_t k = 0;
        ForEachAnswer<Row>([&](auto member) {
            std::get<OptionalColumn<ValueOf<decltype(member)>>>(answers_[k++]).Set(i, row.*member);
        });
    }

    // `names`: the ID's key, then the answers'.
    py::dict Table(std::span<const char* const> names, const py::module_& ma) const {
        py::dict table;
        table[names[0]] = ids_.array;
        for (std::size_t k = 0; k < answers_.size(); ++k) {
            table[names[k + 1]] =
                std::visit([&](const auto& column) { return column.Masked(ma); }, answers_[k]);
        }
        return table;
    }

private:
    // The value type of an answer, given its member pointer.
    template <class Member>
    using ValueOf =
        typename std::remove_cvref_t<std::invoke_result_t<Member, const Row&>>::value_type;

    Column<std::int32_t> ids_;
    std::vector<std::variant<OptionalColumn<std::int32_t>, OptionalColumn<bool>>> answers_;
};

using NodeColumns = AnswerColumns<NodeRow>;
using LinkColumns = AnswerColumns<LinkRow>;

py::array_t<std::int32_t> IdArray(const std::vector<std::int32_t>& ids) {
    Column<std::int32_t> column(ids.size());
    std::copy(ids.begin(), ids.end(), column.data);
    return column.array;
}

// One array per field of the branch list, in its order.
#define RIVO_INIT(type, name, ...) name(rows),
#define RIVO_COLUMN(type, name, ...) Column<type> name;
struct BranchFieldColumns {
    explicit BranchFieldColumns(std::size_t rows) : RIVO_BRANCH_FIELDS(RIVO_INIT) count(rows) {}
    RIVO_BRANCH_FIELDS(RIVO_COLUMN)
    std::size_t count;
};
#undef RIVO_COLUMN
#undef RIVO_INIT

// A table of branches or loop branches. Each row's node and link IDs go end
// to end into one array, with the offset where each row's start.
class BranchColumns {
public:
    using Row = dyn::BranchAnswers;

    explicit BranchColumns(const std::vector<Row>& rows)
        : rows_(rows),
          fields_(rows.size()),
          nodeOffsets_(rows.size() + 1),
          edgeOffsets_(rows.size() + 1),
          nodeIDs_(Total(rows, &Row::nodeIDs)),
          edgeIDs_(Total(rows, &Row::edgeIDs)) {}

    // One pass over the rows, which lie apart in memory.
    void Fill() {
        std::int32_t* nodes = nodeIDs_.data;
        std::int32_t* edges = edgeIDs_.data;
        nodeOffsets_.data[0] = 0;
        edgeOffsets_.data[0] = 0;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const Row& row = rows_[i];
#define RIVO_FILL(type, name, ...) fields_.name.data[i] = row.name;
            RIVO_BRANCH_FIELDS(RIVO_FILL)
#undef RIVO_FILL
            nodes = std::copy(row.nodeIDs.begin(), row.nodeIDs.end(), nodes);
            edges = std::copy(row.edgeIDs.begin(), row.edgeIDs.end(), edges);
            nodeOffsets_.data[i + 1] = nodes - nodeIDs_.data;
            edgeOffsets_.data[i + 1] = edges - edgeIDs_.data;
        }
    }

    py::dict Table() const {
        py::dict table;
#define RIVO_TABLE(type, name, ...) table[#name] = fields_.name.array;
        RIVO_BRANCH_FIELDS(RIVO_TABLE)
#undef RIVO_TABLE
        table["nodeIDs"] = nodeIDs_.array;
        table["nodeOffsets"] = nodeOffsets_.array;
        table["edgeIDs"] = edgeIDs_.array;
        table["edgeOffsets"] = edgeOffsets_.array;
        return table;
    }

private:
    static std::size_t Total(const std::vector<Row>& rows, std::vector<std::int32_t> Row::*list) {
        std::size_t total = 0;
        for (const Row& row : rows) {
            total += (row.*list).size();
        }
        return total;
    }

    const std::vector<Row>& rows_;
    BranchFieldColumns fields_;
    Column<std::int64_t> nodeOffsets_;
    Column<std::int64_t> edgeOffsets_;
    Column<std::int32_t> nodeIDs_;
    Column<std::int32_t> edgeIDs_;
};

py::dict PumpLinkTable(const ResultSummary& summary) {
    py::dict table;
    const auto column = [&](const char* key, auto member) {
        Column<std::int32_t> values(summary.pumpLinks.size());
        for (std::size_t i = 0; i < summary.pumpLinks.size(); ++i) {
            values.data[i] = summary.pumpLinks[i].*member;
        }
        table[key] = values.array;
    };
#define RIVO_COLUMN(type, name, ...) column(#name, &dyn::PumpLinkAnswers::name);
    RIVO_PUMP_LINK_FIELDS(RIVO_COLUMN)
#undef RIVO_COLUMN
    return table;
}

py::dict GutterTable(const ResultSummary& summary) {
    Column<std::int32_t> ids(summary.gutters.size());
    Column<bool> directions(summary.gutters.size());
    for (std::size_t i = 0; i < summary.gutters.size(); ++i) {
        ids.data[i] = summary.gutters[i].first;
        directions.data[i] = summary.gutters[i].second;
    }
    py::dict table;
    table[fields::kGutter[0]] = ids.array;
    table[fields::kGutter[1]] = directions.array;
    return table;
}

}  // namespace

py::dict ResultColumns(const ResultSummary& t, dyn::RivoNetworkParser& parser,
                       std::span<const std::int32_t> nodeIDs,
                       std::span<const std::int32_t> linkIDs) {
    const py::module_ ma = py::module_::import("numpy.ma");
    NodeColumns nodes(nodeIDs.size());
    LinkColumns links(linkIDs.size());
    BranchColumns branches(t.branches);
    BranchColumns loops(t.loops);
    {
        py::gil_scoped_release release;
        branches.Fill();
        loops.Fill();
        host::ReadInPieces<dyn::NodeAnswers>(parser, nodeIDs, [&](std::size_t first, auto piece) {
            for (const dyn::NodeAnswers& a : piece) {
                nodes.Set(first++, ToNodeRow(a));
            }
            return true;
        });
        host::ReadInPieces<dyn::LinkAnswers>(parser, linkIDs, [&](std::size_t first, auto piece) {
            for (const dyn::LinkAnswers& a : piece) {
                links.Set(first++, ToLinkRow(a));
            }
            return true;
        });
    }
    const auto& keys = fields::kTop;
    py::dict result;
    result[keys[0]] = py::bool_(t.result);
    result[keys[1]] = t.numberOfNodes;
    result[keys[2]] = t.numberOfLinks;
    result[keys[3]] = py::bool_(t.containsLoop);
    result[keys[4]] = branches.Table();
    result[keys[5]] = loops.Table();
    result[keys[6]] = PumpLinkTable(t);
    result[keys[7]] = GutterTable(t);
    result[keys[8]] = IdArray(t.isolatedNodeIDs);
    result[keys[9]] = IdArray(t.isolatedEdgeIDs);
    result[keys[10]] = IdArray(t.removedOutfallIDs);
    result[keys[11]] = nodes.Table(fields::kNode, ma);
    result[keys[12]] = links.Table(fields::kLink, ma);
    return result;
}

}  // namespace rivo::python

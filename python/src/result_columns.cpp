#include "result_columns.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "result_fields.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

// Answers read into a buffer between two copies into the arrays: the buffer
// stays in the cache.
constexpr std::size_t kPiece = 4096;

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

// The per-node or per-link answers: the IDs, the numbers and the flags of
// NodeRow or LinkRow.
template <std::size_t Numbers, std::size_t Flags>
class AnswerColumns {
public:
    explicit AnswerColumns(std::size_t rows) : ids_(rows) {
        numbers_.reserve(Numbers);
        flags_.reserve(Flags);
        for (std::size_t k = 0; k < Numbers; ++k) {
            numbers_.emplace_back(rows);
        }
        for (std::size_t k = 0; k < Flags; ++k) {
            flags_.emplace_back(rows);
        }
    }

    template <class Row>
    void Set(std::size_t i, const Row& row) {
        ids_.data[i] = row.id;
        for (std::size_t k = 0; k < Numbers; ++k) {
            numbers_[k].Set(i, row.numbers[k]);
        }
        if constexpr (requires { row.flags; }) {
            for (std::size_t k = 0; k < Flags; ++k) {
                flags_[k].Set(i, row.flags[k]);
            }
        } else {
            flags_[0].Set(i, row.direction);
        }
    }

    py::dict Table(const char* const (&names)[1 + Numbers + Flags], const py::module_& ma) const {
        py::dict table;
        std::size_t k = 0;
        table[names[k++]] = ids_.array;
        for (const auto& column : numbers_) {
            table[names[k++]] = column.Masked(ma);
        }
        for (const auto& column : flags_) {
            table[names[k++]] = column.Masked(ma);
        }
        return table;
    }

private:
    Column<std::int32_t> ids_;
    std::vector<OptionalColumn<std::int32_t>> numbers_;
    std::vector<OptionalColumn<bool>> flags_;
};

using NodeColumns = AnswerColumns<3, 4>;
using LinkColumns = AnswerColumns<2, 1>;

// Reads the answers for `ids` a piece at a time and hands each, with its
// position, to `fill`.
template <class Answers, class Read, class Fill>
void ReadInPieces(std::span<const std::int32_t> ids, Read read, Fill fill) {
    std::vector<Answers> piece;
    for (std::size_t first = 0; first < ids.size(); first += kPiece) {
        piece.clear();
        read(ids.subspan(first, std::min(kPiece, ids.size() - first)), piece);
        for (std::size_t k = 0; k < piece.size(); ++k) {
            fill(first + k, piece[k]);
        }
    }
}

py::array_t<std::int32_t> IdArray(const std::vector<std::int32_t>& ids) {
    Column<std::int32_t> column(ids.size());
    std::copy(ids.begin(), ids.end(), column.data);
    return column.array;
}

// The IDs of every row's list end to end, and where each row's start:
// offsets[i] .. offsets[i + 1] for row i.
template <class List>
void Flatten(const std::vector<BranchRow>& rows, List list, py::dict& table, const char* idsName,
             const char* offsetsName) {
    Column<std::int64_t> offsets(rows.size() + 1);
    offsets.data[0] = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        offsets.data[i + 1] = offsets.data[i] + static_cast<std::int64_t>(list(rows[i]).size());
    }
    Column<std::int32_t> ids(static_cast<std::size_t>(offsets.data[rows.size()]));
    std::int32_t* to = ids.data;
    for (const BranchRow& row : rows) {
        to = std::copy(list(row).begin(), list(row).end(), to);
    }
    table[idsName] = ids.array;
    table[offsetsName] = offsets.array;
}

py::dict BranchTable(const std::vector<BranchRow>& rows) {
    constexpr std::size_t kNumbers = std::tuple_size_v<decltype(BranchRow::numbers)>;
    constexpr std::size_t kFlags = std::tuple_size_v<decltype(BranchRow::flags)>;
    py::dict table;
    for (std::size_t k = 0; k < kNumbers; ++k) {
        Column<std::int32_t> column(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            column.data[i] = rows[i].numbers[k];
        }
        table[fields::kBranch[k]] = column.array;
    }
    for (std::size_t k = 0; k < kFlags; ++k) {
        Column<bool> column(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            column.data[i] = rows[i].flags[k];
        }
        table[fields::kBranch[kNumbers + k]] = column.array;
    }
    Flatten(
        rows, [](const BranchRow& row) -> const auto& { return row.nodeIDs; }, table,
        fields::kBranch[kNumbers + kFlags], "nodeOffsets");
    Flatten(
        rows, [](const BranchRow& row) -> const auto& { return row.edgeIDs; }, table,
        fields::kBranch[kNumbers + kFlags + 1], "edgeOffsets");
    return table;
}

py::dict PumpLinkTable(const ResultSummary& summary) {
    py::dict table;
    for (std::size_t k = 0; k < std::size(fields::kPumpLink); ++k) {
        Column<std::int32_t> column(summary.pumpLinks.size());
        for (std::size_t i = 0; i < summary.pumpLinks.size(); ++i) {
            column.data[i] = summary.pumpLinks[i][k];
        }
        table[fields::kPumpLink[k]] = column.array;
    }
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
    {
        py::gil_scoped_release release;
        ReadInPieces<dyn::NodeAnswers>(
            nodeIDs, [&](auto ids, auto& out) { dyn::ReadNodes(parser, ids, out); },
            [&](std::size_t i, const dyn::NodeAnswers& a) { nodes.Set(i, ToNodeRow(a)); });
        ReadInPieces<dyn::LinkAnswers>(
            linkIDs, [&](auto ids, auto& out) { dyn::ReadLinks(parser, ids, out); },
            [&](std::size_t i, const dyn::LinkAnswers& a) { links.Set(i, ToLinkRow(a)); });
    }
    const auto& keys = fields::kTop;
    py::dict result;
    result[keys[0]] = py::bool_(t.result);
    result[keys[1]] = t.numberOfNodes;
    result[keys[2]] = t.numberOfLinks;
    result[keys[3]] = py::bool_(t.containsLoop);
    result[keys[4]] = BranchTable(t.branches);
    result[keys[5]] = BranchTable(t.loops);
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

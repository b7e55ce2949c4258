#include "result_objects.h"

#include <cstddef>
#include <optional>
#include <span>

#include "result_fields.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

// The keys of one kind of record, made and interned on first use and kept
// for the life of the process.
template <std::size_t N>
class Keys {
public:
    explicit Keys(const char* const (&names)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            keys_[i] = PyUnicode_InternFromString(names[i]);
            if (keys_[i] == nullptr) {
                throw py::error_already_set();
            }
        }
    }
    PyObject* operator[](std::size_t i) const { return keys_[i]; }

private:
    PyObject* keys_[N];
};

PyObject* Checked(PyObject* object) {
    if (object == nullptr) {
        throw py::error_already_set();
    }
    return object;
}

PyObject* Bool(bool value) {
    return Py_NewRef(value ? Py_True : Py_False);
}

// Stores `value` (a new reference, which the call takes over) under `key`.
void Set(PyObject* dict, PyObject* key, PyObject* value) {
    const int failed = PyDict_SetItem(dict, key, value);
    Py_DECREF(value);
    if (failed != 0) {
        throw py::error_already_set();
    }
}

// A plain new dict: with string keys only, it gets the compact table for
// such keys (a presized dict would not, and takes half as much again).
py::object NewDict() {
    return py::reinterpret_steal<py::object>(Checked(PyDict_New()));
}

// A list of `count` elements made by `make(i)`, each a new reference.
template <class Make>
PyObject* List(std::size_t count, Make make) {
    py::object list =
        py::reinterpret_steal<py::object>(Checked(PyList_New(static_cast<Py_ssize_t>(count))));
    for (std::size_t i = 0; i < count; ++i) {
        PyList_SET_ITEM(list.ptr(), static_cast<Py_ssize_t>(i), make(i));
    }
    return list.release().ptr();
}

// Keeps the cyclic garbage collector from running while it lives.
class CollectorPause {
public:
    CollectorPause() : wasEnabled_(PyGC_Disable() != 0) {}
    ~CollectorPause() {
        if (wasEnabled_) {
            PyGC_Enable();
        }
    }
    CollectorPause(const CollectorPause&) = delete;
    CollectorPause& operator=(const CollectorPause&) = delete;

private:
    bool wasEnabled_;
};

PyObject* Int(std::int32_t value) {
    return Checked(PyLong_FromLong(value));
}

PyObject* IntList(std::span<const std::int32_t> values) {
    return List(values.size(), [&](std::size_t i) { return Int(values[i]); });
}

// A field of a record list as a Python value of its type.
PyObject* Value(std::int32_t value) {
    return Int(value);
}
PyObject* Value(bool value) {
    return Bool(value);
}
template <class T>
PyObject* Value(const std::optional<T>& value) {
    return value ? Value(*value) : Py_NewRef(Py_None);
}

PyObject* BranchList(const std::vector<dyn::BranchAnswers>& rows) {
    static const Keys keys(fields::kBranch);
    return List(rows.size(), [&](std::size_t i) {
        const dyn::BranchAnswers& row = rows[i];
        py::object dict = NewDict();
        std::size_t k = 0;
#define RIVO_SET(type, name, ...) Set(dict.ptr(), keys[k++], Value(row.name));
        RIVO_BRANCH_FIELDS(RIVO_SET)
#undef RIVO_SET
        Set(dict.ptr(), keys[k++], IntList(row.nodeIDs));
        Set(dict.ptr(), keys[k], IntList(row.edgeIDs));
        return dict.release().ptr();
    });
}

PyObject* PumpLinkList(const ResultSummary& tables) {
    static const Keys keys(fields::kPumpLink);
    return List(tables.pumpLinks.size(), [&](std::size_t i) {
        const dyn::PumpLinkAnswers& pump = tables.pumpLinks[i];
        py::object dict = NewDict();
        std::size_t k = 0;
#define RIVO_SET(type, name, ...) Set(dict.ptr(), keys[k++], Value(pump.name));
        RIVO_PUMP_LINK_FIELDS(RIVO_SET)
#undef RIVO_SET
        return dict.release().ptr();
    });
}

PyObject* GutterList(const ResultSummary& tables) {
    static const Keys keys(fields::kGutter);
    return List(tables.gutters.size(), [&](std::size_t i) {
        py::object dict = NewDict();
        Set(dict.ptr(), keys[0], Int(tables.gutters[i].first));
        Set(dict.ptr(), keys[1], Bool(tables.gutters[i].second));
        return dict.release().ptr();
    });
}

// One dict per node or link: the ID, then the answers.
template <std::size_t N, class Row>
PyObject* Answers(const Keys<N>& keys, const Row& row) {
    py::object dict = NewDict();
    std::size_t k = 0;
    Set(dict.ptr(), keys[k++], Int(row.id));
    ForEachAnswer<Row>([&](auto member) { Set(dict.ptr(), keys[k++], Value(row.*member)); });
    return dict.release().ptr();
}

}  // namespace

py::dict ResultObject(const ResultSummary& t, AnswerStream& answers) {
    static const Keys keys(fields::kTop);
    static const Keys nodeKeys(fields::kNode);
    static const Keys linkKeys(fields::kLink);
    // The objects hold no cycles: a collection while they are made would
    // only walk them, and every object of the process with them.
    const CollectorPause pause;
    py::object dict = NewDict();
    PyObject* const d = dict.ptr();
    Set(d, keys[0], Bool(t.result));
    Set(d, keys[1], Int(t.numberOfNodes));
    Set(d, keys[2], Int(t.numberOfLinks));
    Set(d, keys[3], Bool(t.containsLoop));
    Set(d, keys[4], BranchList(t.branches));
    Set(d, keys[5], BranchList(t.loops));
    Set(d, keys[6], PumpLinkList(t));
    Set(d, keys[7], GutterList(t));
    Set(d, keys[8], IntList(t.isolatedNodeIDs));
    Set(d, keys[9], IntList(t.isolatedEdgeIDs));
    Set(d, keys[10], IntList(t.removedOutfallIDs));
    Set(d, keys[11], List(answers.nodeCount(), [&](std::size_t i) {
            return Answers(nodeKeys, answers.Node(i));
        }));
    Set(d, keys[12], List(answers.linkCount(), [&](std::size_t i) {
            return Answers(linkKeys, answers.Link(i));
        }));
    return py::reinterpret_steal<py::dict>(dict.release());
}

}  // namespace rivo::python

#include "columns.h"

#include <cstring>
#include <limits>
#include <string>

namespace rivo::python {

namespace py = pybind11;

namespace {

[[noreturn]] void Fail(PyObject* type, const char* name, std::size_t index,
                       const std::string& what) {
    const std::string message = std::string(name) + "[" + std::to_string(index) + "]: " + what;
    PyErr_SetString(type, message.c_str());
    throw py::error_already_set();
}

std::string TypeName(PyObject* object) {
    return Py_TYPE(object)->tp_name;
}

// The elements of a one-dimensional buffer in the machine's byte order.
class BufferItems {
public:
    // Takes the buffer of `object`; false when it has none.
    bool Open(PyObject* object, const char* name) {
        if (!PyObject_CheckBuffer(object)) {
            return false;
        }
        if (PyObject_GetBuffer(object, &view_, PyBUF_STRIDES | PyBUF_FORMAT) != 0) {
            throw py::error_already_set();
        }
        open_ = true;
        std::string_view format = view_.format != nullptr ? view_.format : "B";
        if (!format.empty() && (format[0] == '@' || format[0] == '=' || format[0] == '<')) {
            format.remove_prefix(1);
        }
        code_ = format.size() == 1 ? format[0] : '\0';
        if (view_.ndim != 1 || (!IsInteger() && !IsFloat())) {
            throw py::type_error(std::string(name) +
                                 ": expected a one-dimensional buffer of numbers, found format '" +
                                 (view_.format != nullptr ? view_.format : "B") + "' in " +
                                 std::to_string(view_.ndim) + " dimensions");
        }
        return true;
    }
    ~BufferItems() {
        if (open_) {
            PyBuffer_Release(&view_);
        }
    }

    std::size_t size() const { return static_cast<std::size_t>(view_.shape[0]); }
    bool IsInteger() const { return code_ != '\0' && std::strchr("bhilqnBHILQN?", code_); }
    bool IsFloat() const { return code_ == 'f' || code_ == 'd'; }
    char code() const { return code_; }

    // Unsigned values beyond the signed range come out as the largest value:
    // they are out of every range the parser takes.
    long long Integer(std::size_t i) const {
        const char* item = Item(i);
        const bool isSigned = std::strchr("bhilqn", code_) != nullptr;
        switch (view_.itemsize) {
            case 1:
                return isSigned ? Read<std::int8_t>(item) : Read<std::uint8_t>(item);
            case 2:
                return isSigned ? Read<std::int16_t>(item) : Read<std::uint16_t>(item);
            case 4:
                return isSigned ? Read<std::int32_t>(item) : Read<std::uint32_t>(item);
            default: {
                if (isSigned) {
                    return Read<std::int64_t>(item);
                }
                const auto value = Read<std::uint64_t>(item);
                const auto largest =
                    static_cast<std::uint64_t>(std::numeric_limits<long long>::max());
                return static_cast<long long>(value < largest ? value : largest);
            }
        }
    }
    double Number(std::size_t i) const {
        if (IsInteger()) {
            return static_cast<double>(Integer(i));
        }
        return code_ == 'f' ? Read<float>(Item(i)) : Read<double>(Item(i));
    }

private:
    template <class T>
    static T Read(const char* item) {
        T value;
        std::memcpy(&value, item, sizeof value);
        return value;
    }
    const char* Item(std::size_t i) const {
        return static_cast<const char*>(view_.buf) + static_cast<Py_ssize_t>(i) * view_.strides[0];
    }

    Py_buffer view_{};
    bool open_ = false;
    char code_ = '\0';
};

// The elements of any iterable, as a list or tuple held while they are read.
class SequenceItems {
public:
    SequenceItems(PyObject* object, const char* name) {
        const std::string message = std::string(name) + ": expected a sequence or a buffer";
        fast_ = PySequence_Fast(object, message.c_str());
        if (fast_ == nullptr) {
            throw py::error_already_set();
        }
    }
    ~SequenceItems() { Py_DECREF(fast_); }
    SequenceItems(const SequenceItems&) = delete;
    SequenceItems& operator=(const SequenceItems&) = delete;

    std::size_t size() const { return static_cast<std::size_t>(PySequence_Fast_GET_SIZE(fast_)); }
    PyObject* operator[](std::size_t i) const {
        return PySequence_Fast_ITEMS(fast_)[static_cast<Py_ssize_t>(i)];
    }

private:
    PyObject* fast_;
};

// An integer of the sequence; nothing where it does not fit in 64 bits.
std::optional<long long> IntegerItem(PyObject* item, const char* name, std::size_t i) {
    py::object index;
    if (!PyLong_Check(item)) {
        if (PyFloat_Check(item) || !PyIndex_Check(item)) {
            Fail(PyExc_TypeError, name, i, "expected an integer, found " + TypeName(item));
        }
        index = py::reinterpret_steal<py::object>(PyNumber_Index(item));
        if (!index) {
            throw py::error_already_set();
        }
        item = index.ptr();
    }
    int overflow = 0;
    const long long value = PyLong_AsLongLongAndOverflow(item, &overflow);
    if (overflow != 0) {
        return std::nullopt;
    }
    return value;
}

double NumberItem(PyObject* item, const char* name, std::size_t i) {
    if (PyFloat_CheckExact(item)) {
        return PyFloat_AS_DOUBLE(item);
    }
    const double value = PyFloat_AsDouble(item);
    if (value == -1.0 && PyErr_Occurred()) {
        PyErr_Clear();
        Fail(PyExc_TypeError, name, i, "expected a number, found " + TypeName(item));
    }
    return value;
}

// The elements of `values`, a buffer or any iterable: `fromBuffer(buffer,
// i)` or `fromItem(item, i)` makes each. `integers` refuses a buffer of
// floating-point numbers.
template <class T, class FromBuffer, class FromItem>
std::vector<T> ReadColumn(py::handle values, const char* name, bool integers, FromBuffer fromBuffer,
                          FromItem fromItem) {
    std::vector<T> column;
    BufferItems buffer;
    if (buffer.Open(values.ptr(), name)) {
        if (integers && !buffer.IsInteger()) {
            throw py::type_error(std::string(name) + ": expected integers, found a buffer of '" +
                                 buffer.code() + "'");
        }
        column.reserve(buffer.size());
        for (std::size_t i = 0; i < buffer.size(); ++i) {
            column.push_back(fromBuffer(buffer, i));
        }
        return column;
    }
    SequenceItems items(values.ptr(), name);
    column.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        column.push_back(fromItem(items[i], i));
    }
    return column;
}

// Integers in [T's lowest, T's highest]; `kind` names the range in messages.
template <class T>
std::vector<T> IntegerColumn(py::handle values, const char* name, const char* kind) {
    auto fit = [&](std::optional<long long> value, PyObject* item, std::size_t i) {
        if (!value || *value < std::numeric_limits<T>::min() ||
            *value > std::numeric_limits<T>::max()) {
            const std::string text =
                item != nullptr ? std::string(py::str(item)) : std::to_string(*value);
            Fail(PyExc_OverflowError, name, i,
                 text + " is outside the range of " + kind + " (" +
                     std::to_string(std::numeric_limits<T>::min()) + " to " +
                     std::to_string(std::numeric_limits<T>::max()) + ")");
        }
        return static_cast<T>(*value);
    };
    return ReadColumn<T>(
        values, name, true,
        [&](const BufferItems& buffer, std::size_t i) {
            return fit(buffer.Integer(i), nullptr, i);
        },
        [&](PyObject* item, std::size_t i) { return fit(IntegerItem(item, name, i), item, i); });
}

double BufferNumber(const BufferItems& buffer, std::size_t i) {
    return buffer.Number(i);
}

}  // namespace

std::vector<std::int32_t> IdColumn(py::handle values, const char* name) {
    return IntegerColumn<std::int32_t>(values, name, "an ID");
}

std::vector<std::int16_t> TypeColumn(py::handle values, const char* name) {
    return IntegerColumn<std::int16_t>(values, name, "a type");
}

std::vector<double> NumberColumn(py::handle values, const char* name) {
    return ReadColumn<double>(
        values, name, false, BufferNumber,
        [&](PyObject* item, std::size_t i) { return NumberItem(item, name, i); });
}

std::vector<std::optional<double>> OptionalNumberColumn(py::handle values, const char* name) {
    return ReadColumn<std::optional<double>>(
        values, name, false, BufferNumber, [&](PyObject* item, std::size_t i) {
            return item == Py_None ? std::nullopt : std::optional(NumberItem(item, name, i));
        });
}

}  // namespace rivo::python

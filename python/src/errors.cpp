#include "errors.h"

#include <cstdint>

#include "tool_bridge.h"

namespace rivo::python {

namespace py = pybind11;

namespace {

// The exception classes of rivo/_errors.py; the module keeps them for the
// life of the process.
PyObject* parserErrorType = nullptr;
PyObject* inputErrorType = nullptr;

void SetError(PyObject* type, const py::object& error) {
    PyErr_SetObject(type, error.ptr());
}

void SetParserError(const CKtHRException& error, std::optional<std::size_t> index) {
    // The HRESULT as Python code writes it: 0x80070057, not a negative number.
    const auto hresult = static_cast<std::uint32_t>(error.hr);
    const py::object type = py::reinterpret_borrow<py::object>(parserErrorType);
    SetError(parserErrorType,
             type(hresult, ToUtf8(error.message), index ? py::cast(*index) : py::none()));
}

}  // namespace

void ThrowParserError(const CKtHRException& error, std::optional<std::size_t> index) {
    SetParserError(error, index);
    throw py::error_already_set();
}

void RegisterErrors() {
    const py::module_ errors = py::module_::import("rivo._errors");
    parserErrorType = py::object(errors.attr("ParserError")).release().ptr();
    inputErrorType = py::object(errors.attr("InputError")).release().ptr();
    py::register_exception_translator([](std::exception_ptr raised) {
        try {
            std::rethrow_exception(raised);
        } catch (const CKtHRException& error) {
            SetParserError(error, std::nullopt);
        } catch (const InputFailure& error) {
            const py::object type = py::reinterpret_borrow<py::object>(inputErrorType);
            SetError(inputErrorType, type(error.what(), error.source()));
        }
    });
}

}  // namespace rivo::python

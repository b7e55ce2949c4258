#include <pybind11/pybind11.h>

#include "bindings.h"
#include "errors.h"

PYBIND11_MODULE(_rivo, m) {
    m.doc() = "The parser itself; the package rivo presents it.";
    m.attr("version") = RIVO_VERSION;
    rivo::python::RegisterErrors();
    rivo::python::BindTypeCodes(m);
    rivo::python::BindRecords(m);
    rivo::python::BindNetworkParser(m);
    rivo::python::BindLoading(m);
}

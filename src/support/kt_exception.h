#pragma once

#include "rivo/kt_exception.h"
#include "rivo/platform.h"

// The core's names for the platform's result codes. On Windows they are the
// platform's own and already global; elsewhere the library's stand-ins are
// named here for the core alone (the host sees them only as rivo::).
#if defined(_WIN32)
// <windows.h> keeps far and near as empty macros from 16-bit pointer kinds;
// the core uses both as ordinary names.
#undef far
#undef near
#else
using rivo::E_FAIL;
using rivo::E_INVALIDARG;
using rivo::E_OUTOFMEMORY;
using rivo::FAILED;
using rivo::GUID;
using rivo::GUID_NULL;
using rivo::HRESULT;
using rivo::S_OK;
#endif

// Raises what a fresh error object raises when an operation named `context`
// fails with `hr` and `detail`. Records kept by the million (links, branches)
// carry no error object of their own: the raised error is all anyone sees of
// it, and it is the same whether the object was kept or made at the failure.
[[noreturn]] void RaiseFailure(const CKtString& context, HRESULT hr, const CKtString& detail);

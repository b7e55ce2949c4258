#pragma once

// The per-thread error-information service through which an error object
// publishes itself for a host (CKtHRException::SetErrorInfo). Windows has
// the real one (CreateErrorInfo, SetErrorInfo, GetErrorInfo of <oleauto.h>);
// elsewhere the library keeps a small one in its own namespace: an error
// record (interface, source, description) that a thread publishes so that a
// host can read the last error after a failed call.
#include "rivo/export.h"
#include "rivo/platform.h"

#if defined(_WIN32)

#include <oleauto.h>

#else

#include <memory>
#include <string>

namespace rivo {

struct ErrorInfo {
    GUID interfaceID;
    std::wstring source;
    std::wstring description;
};

// Creates an empty error record to be filled before publishing it.
RIVO_API HRESULT CreateErrorInfo(std::unique_ptr<ErrorInfo>& created);

// Publishes the record as the calling thread's error information, replacing
// any earlier one; a null record clears it.
RIVO_API HRESULT SetErrorInfo(std::unique_ptr<ErrorInfo> info);

// Takes the calling thread's error information; null when none was published.
RIVO_API std::unique_ptr<ErrorInfo> GetErrorInfo();

}  // namespace rivo

#endif

namespace rivo {

// Reference to an object that raised an error; no part of the system sets one.
struct RIVO_API IErrorSource {
    virtual ~IErrorSource() = default;
};

}  // namespace rivo

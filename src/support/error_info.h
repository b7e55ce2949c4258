#pragma once

#include <memory>
#include <string>

#include "support/hresult.h"

// A small stand-in for the platform's per-thread error-information service:
// an error record (interface, source, description) that a thread publishes so
// that a host can read the last error after a failed call.
struct ErrorInfo {
    GUID interfaceID;
    std::wstring source;
    std::wstring description;
};

// Creates an empty error record to be filled before publishing it.
HRESULT CreateErrorInfo(std::unique_ptr<ErrorInfo>& created);

// Publishes the record as the calling thread's error information, replacing
// any earlier one; a null record clears it.
HRESULT SetErrorInfo(std::unique_ptr<ErrorInfo> info);

// Takes the calling thread's error information; null when none was published.
std::unique_ptr<ErrorInfo> GetErrorInfo();

// Reference to an object that raised an error; no part of the system sets one.
struct IErrorSource {
    virtual ~IErrorSource() = default;
};

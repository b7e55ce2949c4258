#pragma once

#include "rivo/error_info.h"
#include "rivo/export.h"
#include "rivo/kt_string.h"
#include "rivo/platform.h"

// An error that carries a message: the context of the failing operation and,
// after a failure, a line break and the detail.
class RIVO_API CKtException {
public:
    explicit CKtException(const CKtString& message);
    CKtException(const CKtException& other) = default;
    CKtException& operator=(const CKtException& other) = default;
    virtual ~CKtException() = default;

    virtual void SetContext(const CKtString& context);
    [[noreturn]] virtual void Throw();

    CKtString message;
};

// An error that also carries an HRESULT. Core objects keep one as their error
// object, name each operation on it before they check anything, and raise a
// copy when a check fails; the member object keeps the last failure.
class RIVO_API CKtHRException : public CKtException {
public:
    CKtHRException(const CKtString& message, rivo::HRESULT hr);
    CKtHRException(const CKtHRException& other) = default;
    CKtHRException& operator=(const CKtHRException& other) = default;
    ~CKtHRException() override = default;

    [[noreturn]] void Throw() override;
    [[noreturn]] virtual void ThrowError(rivo::HRESULT hr, const CKtString& detail);
    [[noreturn]] virtual void ThrowError(rivo::HRESULT hr);
    // Publishes the error through the platform's error-information service,
    // with the message as the description.
    virtual rivo::HRESULT SetErrorInfo(rivo::GUID interfaceID, CKtString source);
    virtual rivo::HRESULT GetHResult() const { return hr; }

    rivo::HRESULT hr;
    rivo::GUID errorInterfaceID;
    rivo::IErrorSource* errorSource;
};

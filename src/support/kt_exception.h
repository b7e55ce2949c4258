#pragma once

#include "support/error_info.h"
#include "support/hresult.h"
#include "support/kt_string.h"

// An error that carries a message: the context of the failing operation and,
// after a failure, a line break and the detail.
class CKtException {
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
class CKtHRException : public CKtException {
public:
    CKtHRException(const CKtString& message, HRESULT hr);
    CKtHRException(const CKtHRException& other) = default;
    CKtHRException& operator=(const CKtHRException& other) = default;
    ~CKtHRException() override = default;

    [[noreturn]] void Throw() override;
    [[noreturn]] virtual void ThrowError(HRESULT hr, const CKtString& detail);
    [[noreturn]] virtual void ThrowError(HRESULT hr);
    virtual HRESULT SetErrorInfo(GUID interfaceID, CKtString source);
    virtual HRESULT GetHResult() const { return hr; }

    HRESULT hr;
    GUID errorInterfaceID;
    IErrorSource* errorSource;
};

// Raises what a fresh error object raises when an operation named `context`
// fails with `hr` and `detail`. Records kept by the million (links, branches)
// carry no error object of their own: the raised error is all anyone sees of
// it, and it is the same whether the object was kept or made at the failure.
[[noreturn]] void RaiseFailure(const CKtString& context, HRESULT hr, const CKtString& detail);

#include "support/kt_exception.h"

CKtException::CKtException(const CKtString& message) : message(message) {}

void CKtException::SetContext(const CKtString& context) {
    message.Assign(context);
}

void CKtException::Throw() {
    throw CKtException(*this);
}

CKtHRException::CKtHRException(const CKtString& message, HRESULT hr)
    : CKtException(message), hr(hr), errorInterfaceID(GUID_NULL), errorSource(nullptr) {}

void CKtHRException::Throw() {
    throw CKtHRException(*this);
}

void CKtHRException::ThrowError(HRESULT code, const CKtString& detail) {
    hr = code;
    message.Append(L"\n");
    message.Append(detail);
    Throw();
    __builtin_unreachable();  // Throw raises; an override must too.
}

void CKtHRException::ThrowError(HRESULT code) {
    hr = code;
    Throw();
    __builtin_unreachable();  // Throw raises; an override must too.
}

HRESULT CKtHRException::SetErrorInfo(GUID interfaceID, CKtString source) {
    std::unique_ptr<ErrorInfo> info;
    HRESULT result = CreateErrorInfo(info);
    if (FAILED(result)) {
        return result;
    }
    info->interfaceID = interfaceID;
    info->source = source;
    info->description = message;
    return ::SetErrorInfo(std::move(info));
}

void RaiseFailure(const CKtString& context, HRESULT hr, const CKtString& detail) {
    CKtHRException error(CKtString(L""), E_FAIL);
    error.SetContext(context);
    error.ThrowError(hr, detail);
}

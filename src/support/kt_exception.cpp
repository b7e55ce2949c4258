#include "support/kt_exception.h"

CKtException::CKtException(const CKtString& message) : message(message) {}

void CKtException::SetContext(const CKtString& context) {
    message.Assign(context);
}

void CKtException::Throw() {
    throw CKtException(*this);
}

CKtHRException::CKtHRException(const CKtString& message, HRESULT hr)
    : CKtException(message), hr(hr), errorInterfaceID{}, errorSource(nullptr) {}

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

#if defined(_WIN32)

// The platform's service: a creation object takes the fields, and its error
// record is what the thread publishes and a host's GetErrorInfo returns.
HRESULT CKtHRException::SetErrorInfo(GUID interfaceID, CKtString source) {
    ICreateErrorInfo* created = nullptr;
    HRESULT result = ::CreateErrorInfo(&created);
    if (FAILED(result)) {
        return result;
    }
    created->SetGUID(interfaceID);
    created->SetSource(source.data());
    created->SetDescription(message.data());
    IErrorInfo* info = nullptr;
    result = created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    if (SUCCEEDED(result)) {
        result = ::SetErrorInfo(0, info);
        info->Release();
    }
    created->Release();
    return result;
}

#else

HRESULT CKtHRException::SetErrorInfo(GUID interfaceID, CKtString source) {
    std::unique_ptr<rivo::ErrorInfo> info;
    HRESULT result = rivo::CreateErrorInfo(info);
    if (FAILED(result)) {
        return result;
    }
    info->interfaceID = interfaceID;
    info->source = source;
    info->description = message;
    return rivo::SetErrorInfo(std::move(info));
}

#endif

void RaiseFailure(const CKtString& context, HRESULT hr, const CKtString& detail) {
    CKtHRException error(CKtString(L""), E_FAIL);
    error.SetContext(context);
    error.ThrowError(hr, detail);
}

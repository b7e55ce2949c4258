#pragma once

#include <memory>

#include "support/error_texts.h"
#include "support/kt_exception.h"

// Common base of the core classes: each owns one error object on which its
// public operations name themselves and through which they raise. The object
// is made on first use, so records that never report (most links and
// branches of a large network) carry only a null pointer.
class CImplObject {
public:
    CImplObject() = default;
    CImplObject(const CImplObject&) = delete;
    CImplObject& operator=(const CImplObject&) = delete;
    // Records move when the graph numbers them anew.
    CImplObject(CImplObject&&) noexcept = default;
    CImplObject& operator=(CImplObject&&) noexcept = default;
    virtual ~CImplObject() = default;

    // The error object: empty message and E_FAIL until an operation uses it.
    CKtHRException& error() const {
        if (!error_) {
            error_ = std::make_unique<CKtHRException>(CKtString(L""), E_FAIL);
        }
        return *error_;
    }

private:
    mutable std::unique_ptr<CKtHRException> error_;
};

#pragma once

#include <memory>
#include <string>

#include "rivo/export.h"

// Wide-character text of the error machinery. The converted forms (a system
// string and two plain copies) are made only when asked for and are dropped
// whenever the text changes through Assign or Append.
class RIVO_API CKtString : public std::wstring {
public:
    CKtString() = default;
    CKtString(const wchar_t* text);       // NOLINT(google-explicit-constructor): literals convert
    CKtString(const std::wstring& text);  // NOLINT(google-explicit-constructor)
    CKtString(const CKtString& other);
    CKtString(CKtString&& other) noexcept = default;
    CKtString& operator=(const CKtString& other);
    CKtString& operator=(CKtString&& other) noexcept = default;
    ~CKtString() = default;

    void Assign(const CKtString& other);
    void Append(const CKtString& other);

    // Converted forms, cached until the text changes.
    const wchar_t* SystemString() const;
    const std::string& Utf8() const;
    const std::wstring& WideCopy() const;

private:
    struct Caches {
        std::wstring system;
        bool hasSystem = false;
        std::string utf8;
        bool hasUtf8 = false;
        std::wstring wide;
        bool hasWide = false;
    };
    Caches& caches() const;
    void DiscardCaches() { caches_.reset(); }

    mutable std::unique_ptr<Caches> caches_;
};

// UTF-8 form of a wide text (the system's messages are ASCII; other
// characters are encoded as UTF-8 for hosts that print them).
RIVO_API std::string ToUtf8(const std::wstring& text);

#include "rivo/kt_string.h"

CKtString::CKtString(const wchar_t* text) : std::wstring(text) {}

CKtString::CKtString(const std::wstring& text) : std::wstring(text) {}

CKtString::CKtString(const CKtString& other) : std::wstring(other) {
    // A copy keeps the system string of its source but none of the plain copies.
    if (other.caches_ && other.caches_->hasSystem) {
        caches().system = other.caches_->system;
        caches().hasSystem = true;
    }
}

CKtString& CKtString::operator=(const CKtString& other) {
    if (this != &other) {
        Assign(other);
    }
    return *this;
}

void CKtString::Assign(const CKtString& other) {
    DiscardCaches();
    std::wstring::assign(other);
}

void CKtString::Append(const CKtString& other) {
    DiscardCaches();
    std::wstring::append(other);
}

CKtString::Caches& CKtString::caches() const {
    if (!caches_) {
        caches_ = std::make_unique<Caches>();
    }
    return *caches_;
}

const wchar_t* CKtString::SystemString() const {
    Caches& c = caches();
    if (!c.hasSystem) {
        c.system = *this;
        c.hasSystem = true;
    }
    return c.system.c_str();
}

const std::string& CKtString::Utf8() const {
    Caches& c = caches();
    if (!c.hasUtf8) {
        c.utf8 = ToUtf8(*this);
        c.hasUtf8 = true;
    }
    return c.utf8;
}

const std::wstring& CKtString::WideCopy() const {
    Caches& c = caches();
    if (!c.hasWide) {
        c.wide = *this;
        c.hasWide = true;
    }
    return c.wide;
}

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto cp = static_cast<char32_t>(wc);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

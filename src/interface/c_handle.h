#pragma once

// What stands behind a rivo_parser handle of the C interface, and the guard
// that turns every exception of a call into its result code and message.

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "parser/network_parser.h"
#include "rivo/rivo_c.h"
#include "rivo/rivo_network_parser.h"
#include "support/error_texts.h"
#include "support/kt_exception.h"

namespace rivo::c_interface {

using Velmora::Calculations::Dynamic::RivoNetworkParser;

// The host's parser with a way in to the core's records, so that branch and
// pump link fields can be read by index without making a façade object.
class HandleParser final : public RivoNetworkParser {
public:
    CFLDNetworkParser& Core() { return *networkParser; }
};

// The outcome of the last call on a handle, kept in both encodings a host
// may read. The buffers are reserved up front, so that recording a message
// (even "Out of memory") allocates nothing once the handle exists.
class LastError {
public:
    LastError();
    void Clear() noexcept;
    rivo_hresult Set(rivo_hresult hr, std::wstring_view message) noexcept;
    const char* Utf8() const noexcept { return utf8_.c_str(); }
    const std::uint16_t* Utf16() const noexcept {
        return reinterpret_cast<const std::uint16_t*>(utf16_.c_str());
    }

private:
    std::string utf8_;
    std::u16string utf16_;
};

// A failure found by the C interface's own checks, before the parser runs.
struct CallerError {
    rivo_hresult hr;
    const wchar_t* message;
};

template <class T>
T& Out(T* pointer) {
    if (pointer == nullptr) {
        throw CallerError{RIVO_E_POINTER, texts::kNullPointer};
    }
    return *pointer;
}

// Arrays of `count` elements must be there unless they are empty.
template <class T>
const T* In(const T* pointer, std::int32_t count) {
    if (count < 0) {
        throw CallerError{RIVO_E_INVALIDARG, texts::kNegativeCount};
    }
    if (pointer == nullptr && count > 0) {
        throw CallerError{RIVO_E_POINTER, texts::kNullPointer};
    }
    return pointer;
}

}  // namespace rivo::c_interface

struct rivo_parser {
    rivo::c_interface::HandleParser parser;
    rivo::c_interface::LastError error;
};

namespace rivo::c_interface {

// Runs `call(parser)` and gives its outcome: RIVO_S_OK, or the HRESULT of
// whatever it raised, with the message recorded on the handle. Nothing
// escapes: the caller may be C, where an exception cannot be caught.
template <class Call>
rivo_hresult Guard(rivo_parser* handle, Call&& call) noexcept {
    if (handle == nullptr) {
        return RIVO_E_POINTER;
    }
    LastError& error = handle->error;
    error.Clear();
    try {
        std::forward<Call>(call)(handle->parser);
        return RIVO_S_OK;
    } catch (const CKtHRException& e) {
        return error.Set(e.hr, e.message);
    } catch (const CKtException& e) {
        return error.Set(RIVO_E_FAIL, e.message);
    } catch (const CallerError& e) {
        return error.Set(e.hr, e.message);
    } catch (const std::bad_alloc&) {
        return error.Set(RIVO_E_OUTOFMEMORY, texts::kOutOfMemory);
    } catch (const std::length_error&) {  // a list grown beyond what memory holds
        return error.Set(RIVO_E_OUTOFMEMORY, texts::kOutOfMemory);
    } catch (...) {
        return error.Set(RIVO_E_FAIL, texts::kUnexpected);
    }
}

// Guard for a call with one answer: the out-parameter is checked before
// the parser is asked, and written only when it answers. Booleans become 0
// or 1.
template <class T, class Read>
rivo_hresult Answer(rivo_parser* handle, T* out, Read&& read) noexcept {
    return Guard(handle, [&](HandleParser& p) {
        T& answer = Out(out);
        answer = static_cast<T>(std::forward<Read>(read)(p));
    });
}

}  // namespace rivo::c_interface

#pragma once

// Result codes and interface identifiers as the platform's error machinery
// knows them. Windows has its own: the library uses them, so that a host's
// HRESULT and GUID are the library's. Elsewhere the library brings stand-ins
// of the same shape in its own namespace, leaving the host's global names
// free (a host may well declare an HRESULT of its own).
#if defined(_WIN32)

#include <windows.h>

namespace rivo {
using HRESULT = ::HRESULT;
using GUID = ::GUID;
}  // namespace rivo

#else

#include <cstdint>

namespace rivo {

// Negative values are failures.
using HRESULT = std::int32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);

inline constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

// 16-byte interface identifier of an error source.
struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};

    friend bool operator==(const GUID&, const GUID&) = default;
};

inline constexpr GUID GUID_NULL{};

}  // namespace rivo

#endif

#pragma once

// RIVO_API marks what the library exports; everything else stays inside it.
// Building the DLL (RIVO_BUILDING) exports, a host of the DLL imports, a
// shared object on ELF platforms gives the marked names default visibility,
// and a static library (RIVO_STATIC, set by the package) needs no mark.
#if defined(RIVO_STATIC)
#define RIVO_API
#elif defined(_WIN32)
#if defined(RIVO_BUILDING)
#define RIVO_API __declspec(dllexport)
#else
#define RIVO_API __declspec(dllimport)
#endif
#else
#define RIVO_API __attribute__((visibility("default")))
#endif

#ifndef RIVO_EXPORT_H
#define RIVO_EXPORT_H

/* RIVO_API marks what a shared build of the library exports: the DLL's
   exports on Windows (imported by its users), default visibility on ELF
   where everything else is hidden, and nothing in a static build (define
   RIVO_STATIC before including the library's headers). The library's own
   build defines RIVO_BUILDING_LIBRARY. */
#if defined(RIVO_STATIC)
#define RIVO_API
#elif defined(_WIN32) || defined(__CYGWIN__)
#if defined(RIVO_BUILDING_LIBRARY)
#define RIVO_API __declspec(dllexport)
#else
#define RIVO_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define RIVO_API __attribute__((visibility("default")))
#else
#define RIVO_API
#endif

#endif /* RIVO_EXPORT_H */

#include "rivo/error_info.h"

#if !defined(_WIN32)

#include <new>

namespace rivo {

namespace {
thread_local std::unique_ptr<ErrorInfo> threadErrorInfo;
}

HRESULT CreateErrorInfo(std::unique_ptr<ErrorInfo>& created) {
    created.reset(new (std::nothrow) ErrorInfo{});
    return created ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetErrorInfo(std::unique_ptr<ErrorInfo> info) {
    threadErrorInfo = std::move(info);
    return S_OK;
}

std::unique_ptr<ErrorInfo> GetErrorInfo() {
    return std::move(threadErrorInfo);
}

}  // namespace rivo

#endif

// A host's own names beside the library's. The platform's names (HRESULT,
// GUID, S_OK, FAILED, the error-information service) are the platform's on
// Windows; elsewhere a host may declare its own, and <rivo/rivo.h> must
// neither clash with them nor define any of them: this file compiles only
// while the library keeps its stand-ins in its own namespace.
#if defined(_WIN32)
#include "rivo/rivo.h"
// And the other order than the package's consumer: the library, then the platform.
#include <windows.h>
#else
#include <cstdint>
#include <string>

using HRESULT = long;
struct GUID {
    char bytes[16];
};
struct ErrorInfo {};
struct IErrorSource {};
constexpr HRESULT S_OK = 1, E_FAIL = 2, E_INVALIDARG = 3, E_OUTOFMEMORY = 4;
constexpr GUID GUID_NULL{};
constexpr auto FAILED = [](HRESULT hr) { return hr == E_FAIL; };
const auto CreateErrorInfo = [] { return std::string("host"); };
const auto SetErrorInfo = CreateErrorInfo;
const auto GetErrorInfo = CreateErrorInfo;

#include "rivo/rivo.h"
#endif

#include <gtest/gtest.h>

namespace {

TEST(PublicNames, TheHostKeepsItsOwnNamesBesideTheLibrarys) {
    CKtHRException error(L"Failed : Op", static_cast<rivo::HRESULT>(0x80070057u));
    EXPECT_EQ(error.GetHResult(), static_cast<rivo::HRESULT>(0x80070057u));
#if !defined(_WIN32)
    EXPECT_EQ(S_OK, 1);
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_TRUE(rivo::FAILED(error.GetHResult()));
    EXPECT_EQ(sizeof(GUID), 16U);
    EXPECT_EQ(GetErrorInfo() + SetErrorInfo() + CreateErrorInfo(), "hosthosthost");
    EXPECT_EQ(rivo::GetErrorInfo(), nullptr);
#else
    EXPECT_TRUE(FAILED(error.GetHResult()));
#endif
}

}  // namespace

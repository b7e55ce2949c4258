#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

#include "rivo/error_info.h"
#include "test_helpers.h"

namespace {

// What the calling thread's error information holds, read as a host reads
// it: on Windows through the platform's GetErrorInfo.
struct ThreadError {
    GUID interfaceID;
    std::wstring source;
    std::wstring description;
};

std::optional<ThreadError> TakeThreadError() {
#if defined(_WIN32)
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK) {
        return std::nullopt;
    }
    ThreadError read;
    BSTR text = nullptr;
    info->GetGUID(&read.interfaceID);
    info->GetSource(&text);
    read.source = text;
    SysFreeString(text);
    info->GetDescription(&text);
    read.description = text;
    SysFreeString(text);
    info->Release();
    return read;
#else
    std::unique_ptr<rivo::ErrorInfo> info = rivo::GetErrorInfo();
    if (!info) {
        return std::nullopt;
    }
    return ThreadError{info->interfaceID, info->source, info->description};
#endif
}

// The converted forms are cached: every change must drop them.
TEST(KtString, AssignAndAppendReplaceAndExtendTheConvertedForms) {
    CKtString s(L"pipe");
    EXPECT_EQ(s.Utf8() + ToUtf8(s.SystemString()), "pipepipe");
    s.Append(L" 7");
    EXPECT_EQ(s.Utf8() + ToUtf8(s.WideCopy()), "pipe 7pipe 7");
    s.Assign(L"n\u00e9");
    EXPECT_EQ(s.Utf8() + ToUtf8(s.SystemString()), "n\xC3\xA9n\xC3\xA9");
}

TEST(KtHRException, ThrowRaisesACopyCatchableAsEitherType) {
    CKtHRException error(L"Failed : Op", E_INVALIDARG);
    try {
        static_cast<CKtException&>(error).Throw();
    } catch (CKtException& raised) {
        raised.message.Append(L" changed");
        auto* withCode = dynamic_cast<CKtHRException*>(&raised);
        ASSERT_NE(withCode, nullptr);
        EXPECT_EQ(withCode->GetHResult(), E_INVALIDARG);
    }
    EXPECT_EQ(error.message, L"Failed : Op");
}

TEST(KtHRException, ThrowErrorAddsTheDetailAndTheObjectKeepsTheFailure) {
    CKtHRException error(L"", E_FAIL);
    error.SetContext(L"Failed : First");
    EXPECT_THROW_MSG(error.ThrowError(E_INVALIDARG, L"Index out of range"),
                     "Failed : First\nIndex out of range", E_INVALIDARG);
    EXPECT_EQ(error.message, L"Failed : First\nIndex out of range");
    EXPECT_EQ(error.GetHResult(), E_INVALIDARG);
    // The next operation names itself: the earlier detail does not pile up.
    error.SetContext(L"Failed : Second");
    EXPECT_THROW_MSG(error.ThrowError(E_FAIL), "Failed : Second", E_FAIL);
}

TEST(KtHRException, SetErrorInfoPublishesTheMessageForThisThreadOnly) {
    GUID interfaceID{0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};
    CKtHRException error(L"Failed : Op\nnode is not in the edge", E_INVALIDARG);
    ASSERT_EQ(error.SetErrorInfo(interfaceID, L"Rivo"), S_OK);
    std::optional<ThreadError> other;
    std::thread([&] { other = TakeThreadError(); }).join();
    EXPECT_FALSE(other);
    std::optional<ThreadError> info = TakeThreadError();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->interfaceID, interfaceID);
    EXPECT_EQ(info->source, L"Rivo");
    EXPECT_EQ(info->description, error.message);
    EXPECT_FALSE(TakeThreadError()) << "taking the record clears it";
}

}  // namespace

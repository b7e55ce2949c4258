// Whatever a call raises reaches a C host as a result code and a message,
// including what the C test cannot provoke: memory running out.

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "interface/c_handle.h"

namespace {

using rivo::c_interface::Guard;
using rivo::c_interface::HandleParser;

struct Raised {
    const char* what;
    std::function<void()> raise;
    rivo_hresult hr;
    std::string message;
};

TEST(CGuard, EveryExceptionBecomesACodeAndAMessage) {
    const std::vector<Raised> cases = {
        {"parser error", [] { CKtHRException(L"Failed : x\nwhy", E_INVALIDARG).Throw(); },
         RIVO_E_INVALIDARG, "Failed : x\nwhy"},
        {"error without code", [] { throw CKtException(L"plain"); }, RIVO_E_FAIL, "plain"},
        {"memory", [] { throw std::bad_alloc(); }, RIVO_E_OUTOFMEMORY, "Out of memory"},
        {"list too long", [] { std::vector<double>().reserve(std::size_t(-1) / 2); },
         RIVO_E_OUTOFMEMORY, "Out of memory"},
        {"anything else", [] { throw 7; }, RIVO_E_FAIL, "Unexpected error"},
        {"text beyond ASCII", [] { CKtHRException(L"\u00e9\U0001F30A", E_FAIL).Throw(); },
         RIVO_E_FAIL, "\xC3\xA9\xF0\x9F\x8C\x8A"},
    };
    rivo_parser* parser = nullptr;
    ASSERT_EQ(rivo_parser_create(&parser), RIVO_S_OK);
    for (const Raised& c : cases) {
        EXPECT_EQ(Guard(parser, [&](HandleParser&) { c.raise(); }), c.hr) << c.what;
        EXPECT_EQ(rivo_last_error_message(parser), c.message) << c.what;
    }
    // The UTF-16 form carries the wave as a surrogate pair.
    const std::uint16_t* wide = rivo_last_error_message_utf16(parser);
    EXPECT_EQ(std::vector<std::uint16_t>(wide, wide + 4),
              (std::vector<std::uint16_t>{0xE9, 0xD83C, 0xDF0A, 0}));
    EXPECT_EQ(Guard(nullptr, [](HandleParser&) {}), RIVO_E_POINTER);
    rivo_parser_release(parser);
}

}  // namespace

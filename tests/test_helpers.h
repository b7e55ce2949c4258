#pragma once

#include <gtest/gtest.h>
#include <cctype>

#include <cstdint>
#include <string>
#include <vector>

#include "graph/graph_fld.h"
#include "support/kt_exception.h"

namespace rivo_test {

// Runs `action`, which must raise a CKtHRException with exactly `message`
// (as UTF-8) and `hr`.
template <class Action>
::testing::AssertionResult RaisesExactly(Action&& action, const std::string& message, HRESULT hr) {
    try {
        action();
    } catch (const CKtHRException& e) {
        if (ToUtf8(e.message) == message && e.hr == hr) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "raised \"" << ToUtf8(e.message) << "\" hr " << std::hex << e.hr
               << ", expected \"" << message << "\" hr " << hr;
    } catch (...) {
        return ::testing::AssertionFailure() << "raised something other than CKtHRException";
    }
    return ::testing::AssertionFailure() << "raised nothing";
}

// A small undirected drainage network built and read by host IDs.
struct Network {
    graph_fld G;
    Network() { G.make_undirected(); }
    GTL::node Node(std::int32_t id, double x = 0.0, double y = 0.0, std::int16_t type = 0) {
        return G.add_node(id, type, x, y);
    }
    GTL::edge Link(std::int32_t id, std::int32_t source, std::int32_t target, double size = 1.0,
                   double eSource = 0.0, double eTarget = 0.0, double length = 1.0) {
        return G.add_edge(id, G.GetNode(source), G.GetNode(target), 0, eSource, eTarget, size,
                          length);
    }
    GTL::node operator()(std::int32_t id) const { return G.GetNode(id); }
    GTL::edge operator[](std::int32_t id) const { return G.GetEdge(id); }
    std::int32_t Id(GTL::node n) const { return G.data(n).nodeID; }
    std::int32_t Id(GTL::edge e) const { return G.data(e).edgeID; }
    template <class Handles>
    std::vector<std::int32_t> Ids(const Handles& handles) const {
        std::vector<std::int32_t> out;
        for (auto h : handles) {
            out.push_back(Id(h));
        }
        return out;
    }
};

using Ids = std::vector<std::int32_t>;

// Case names as test names: INSTANTIATE_TEST_SUITE_P(..., rivo_test::ByName).
inline std::string TestName(std::string name) {
    for (char& ch : name) {
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    }
    return name;
}
inline constexpr auto ByName = [](const auto& info) { return TestName(info.param.name); };

}  // namespace rivo_test

// Expects `statement` to raise a CKtHRException with exactly this message and result code.
#define EXPECT_THROW_MSG(statement, message, hr) \
    EXPECT_TRUE(::rivo_test::RaisesExactly([&] { static_cast<void>(statement); }, message, hr))

#include "render_data.h"
#include "query_answer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "network_feed.h"
#include "rivo.h"

namespace rivo::tool::render {

namespace {

using Velmora::Calculations::Dynamic::RivoNetworkParser;

void ReadAnswers(RivoNetworkParser& parser, RenderData& data) {
    for (const host::Link& link : data.document.links) {
        data.linkBranch.push_back(Ask([&] { return parser.GetBranchNumberOfPipe(link.id); }));
    }
    for (const host::Node& node : data.document.nodes) {
        const auto converted = Ask([&] { return parser.GetNodeIsConvertedToOutfall(node.id); });
        data.convertedOutfall.push_back(converted.value_or(false));
    }
    for (const BranchResult& loop : data.summary.loops) {
        data.loopBranches.insert(loop.branchNumber);
    }
    data.isolatedNodes.insert(data.summary.isolatedNodeIDs.begin(),
                              data.summary.isolatedNodeIDs.end());
    data.isolatedLinks.insert(data.summary.isolatedEdgeIDs.begin(),
                              data.summary.isolatedEdgeIDs.end());
}

double HueChannel(double p, double q, double t) {
    t -= std::floor(t);
    if (t < 1.0 / 6) {
        return p + (q - p) * 6 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3) {
        return p + (q - p) * (2.0 / 3 - t) * 6;
    }
    return p;
}

}  // namespace

RenderData AnalyseNetwork(host::Network document, bool findLongestBranch, std::string title) {
    RenderData data;
    data.title = std::move(title);
    data.document = std::move(document);
    RivoNetworkParser parser;
    try {
        host::Feed(data.document, parser, parser);
        const bool result = host::Parse(parser, findLongestBranch);
        data.summary = CollectSummary(parser, result);
    } catch (const CKtHRException& error) {
        data.raised = true;
        data.error = ToUtf8(error.message);
        data.linkBranch.assign(data.document.links.size(), std::nullopt);
        data.convertedOutfall.assign(data.document.nodes.size(), false);
        return data;
    }
    ReadAnswers(parser, data);
    return data;
}

std::string BranchColour(std::int32_t branchNumber) {
    constexpr double kGoldenTurn = 0.618033988749895;
    const double hue = std::fmod(std::abs(branchNumber) * kGoldenTurn, 1.0);
    // Alternate the lightness too, so that hues a turn apart stay distinct.
    const double lightness = branchNumber % 2 == 0 ? 0.38 : 0.48;
    const double saturation = 0.8;
    const double q = lightness * (1 + saturation);  // lightness below one half
    const double p = 2 * lightness - q;
    const double rgb[] = {HueChannel(p, q, hue + 1.0 / 3), HueChannel(p, q, hue),
                          HueChannel(p, q, hue - 1.0 / 3)};
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        channels[i] = static_cast<int>(std::clamp(rgb[i], 0.0, 1.0) * 255 + 0.5);
    }
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", channels[0], channels[1], channels[2]);
    return colour;
}

}  // namespace rivo::tool::render

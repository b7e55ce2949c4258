#include "render/render_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "host/network_feed.h"
#include "rivo/rivo.h"

namespace rivo::tool::render {

namespace {

// Every node and link without an answer, for a picture of a parse that raised.
host::Result NoAnswers(const host::Network& network) {
    host::Result none;
    for (const host::Node& node : network.nodes) {
        none.nodes.emplace_back().id = node.id;
    }
    for (const host::Link& link : network.links) {
        none.links.emplace_back().id = link.id;
    }
    return none;
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

RenderData AnalyseNetwork(host::Network network, const ParseOutcome& outcome,
                          Velmora::Calculations::Dynamic::RivoNetworkParser& parser,
                          std::string title, const std::vector<UnnumberedPumpEnd>& unnumbered,
                          bool partial) {
    RenderData data;
    data.title = std::move(title);
    data.network = std::move(network);
    data.result = outcome.result.value_or(false);
    std::optional<RaisedError> raised = outcome.error;
    if (raised && partial) {
        data.raised = true;
        data.error = raised->message;
        data.hresult = raised->hr;
        raised.reset();
        for (const UnnumberedPumpEnd& end : unnumbered) {
            data.unnumberedPumpEnds.insert(end.nodeID);
        }
    }
    if (!raised) {
        try {
            data.answers = host::ReadWholeResult(parser, host::NodeIDs(data.network),
                                                 host::LinkIDs(data.network));
        } catch (const CKtHRException& error) {
            raised = RaisedError{error.hr, ToUtf8(error.message)};
        }
    }
    if (raised) {
        data.raised = true;
        data.error = raised->message;
        data.hresult = raised->hr;
        data.answers = NoAnswers(data.network);
        return data;
    }
    const host::ResultSummary& summary = data.answers.summary;
    for (const host::BranchResult& loop : summary.loops) {
        data.loopBranches.insert(loop.branchNumber);
    }
    data.isolatedNodes.insert(summary.isolatedNodeIDs.begin(), summary.isolatedNodeIDs.end());
    data.isolatedLinks.insert(summary.isolatedEdgeIDs.begin(), summary.isolatedEdgeIDs.end());
    return data;
}

std::string OneLine(std::string message) {
    for (std::size_t at = message.find('\n'); at != std::string::npos; at = message.find('\n')) {
        message.replace(at, 1, " / ");
    }
    return message;
}

std::string BranchColour(std::int32_t branchNumber) {
    constexpr double kGoldenTurn = 0.618033988749895;
    // Branches take their hues from yellow-green to sky blue only: red is
    // kept for what drains nowhere, orange for converted outlets, purple for
    // pumps and dark blue for outfalls. Lightness steps through three
    // levels, so that neighbouring branches also differ for eyes that tell
    // few hues.
    constexpr double kFirstHue = 70.0 / 360;
    constexpr double kHueBand = 140.0 / 360;
    const double hue = kFirstHue + kHueBand * std::fmod(std::abs(branchNumber) * kGoldenTurn, 1.0);
    constexpr double kLightness[] = {0.27, 0.40, 0.53};
    const double lightness = kLightness[std::abs(branchNumber) % 3];
    const double saturation = 0.75;
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

// The yardstick for the command-line tool: what a plain program spends on a
// network document when it reads it into a JSON tree, builds adjacency lists
// and walks the graph once breadth first and once depth first. With --tool it
// also runs `rivo parse` on the same document, each run in its own process
// so that its peak memory is its own, and prints both; with --phases it times
// the phases of the tool's run (the tool's own functions, in one process):
//
//     rivo_tool_yardstick network.json                       # the yardstick alone
//     rivo_tool_yardstick network.json --tool build/release/tools/rivo --runs 3
//     rivo_tool_yardstick network.json --phases --output result.json

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "cli/parse_run.h"
#include "host/network_feed.h"
#include "input/network_reader.h"
#include "output/atomic_output.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

using Adjacency = std::vector<std::vector<std::int32_t>>;

// Links join the nodes their ends name; a link naming an unknown node is left out.
Adjacency BuildAdjacency(const nlohmann::json& document) {
    const nlohmann::json& nodes = document.at("nodes");
    std::unordered_map<std::int64_t, std::int32_t> index;
    index.reserve(nodes.size());
    for (const nlohmann::json& node : nodes) {
        index.emplace(node.at("id").get<std::int64_t>(), static_cast<std::int32_t>(index.size()));
    }
    Adjacency adjacency(nodes.size());
    const auto links = document.find("links");
    if (links == document.end()) {
        return adjacency;
    }
    for (const nlohmann::json& link : *links) {
        const auto source = index.find(link.at("source").get<std::int64_t>());
        const auto target = index.find(link.at("target").get<std::int64_t>());
        if (source != index.end() && target != index.end()) {
            adjacency[static_cast<std::size_t>(source->second)].push_back(target->second);
            adjacency[static_cast<std::size_t>(target->second)].push_back(source->second);
        }
    }
    return adjacency;
}

// Visits every node, one search per component; returns a sum over the visit
// order, so that the walk cannot be left out.
template <bool kBreadthFirst>
std::uint64_t Search(const Adjacency& adjacency) {
    std::vector<bool> seen(adjacency.size());
    std::vector<std::int32_t> pending;
    std::uint64_t sum = 0;
    std::uint64_t order = 0;
    for (std::size_t root = 0; root < adjacency.size(); ++root) {
        if (seen[root]) {
            continue;
        }
        seen[root] = true;
        pending.assign(1, static_cast<std::int32_t>(root));
        for (std::size_t head = 0; kBreadthFirst ? head < pending.size() : !pending.empty();) {
            std::int32_t node = 0;
            if constexpr (kBreadthFirst) {
                node = pending[head++];
            } else {
                node = pending.back();
                pending.pop_back();
            }
            sum += ++order * static_cast<std::uint64_t>(node);
            for (const std::int32_t next : adjacency[static_cast<std::size_t>(node)]) {
                if (!seen[static_cast<std::size_t>(next)]) {
                    seen[static_cast<std::size_t>(next)] = true;
                    pending.push_back(next);
                }
            }
        }
    }
    return sum;
}

int RunYardstick(const std::string& path) {
    const Clock::time_point start = Clock::now();
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const nlohmann::json document = nlohmann::json::parse(text);
    const double readSeconds = SecondsSince(start);
    Clock::time_point phase = Clock::now();
    const Adjacency adjacency = BuildAdjacency(document);
    const double buildSeconds = SecondsSince(phase);
    phase = Clock::now();
    const std::uint64_t breadthFirst = Search<true>(adjacency);
    const std::uint64_t depthFirst = Search<false>(adjacency);
    const double searchSeconds = SecondsSince(phase);
    std::printf(
        "yardstick: read %.2f s, adjacency %.2f s, BFS + DFS %.2f s (%zu nodes; %llx %llx)\n",
        readSeconds, buildSeconds, searchSeconds, adjacency.size(),
        static_cast<unsigned long long>(breadthFirst), static_cast<unsigned long long>(depthFirst));
    return 0;
}

// Page faults so far: the first touch of fresh memory is a large part of
// every phase, so each phase shows how many it took.
long PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// Reads, feeds, parses and writes as `rivo parse NETWORK -o OUTPUT` does.
int RunToolPhases(const std::string& network, const std::string& output) {
    rivo::tool::AtomicOutputFile out(output);
    Clock::time_point start = Clock::now();
    long faults = PageFaults();
    const auto lap = [&start, &faults](const char* phase) {
        const long now = PageFaults();
        std::printf("%s %.2f s (%ldk faults)  ", phase, SecondsSince(start), (now - faults) / 1000);
        faults = now;
        start = Clock::now();
    };
    rivo::host::Network document = rivo::tool::ReadNetworkFile(network);
    const std::vector<std::int32_t> nodeIDs = rivo::host::NodeIDs(document);
    const std::vector<std::int32_t> linkIDs = rivo::host::LinkIDs(document);
    lap("read");
    Velmora::Calculations::Dynamic::RivoNetworkParser parser;
    rivo::host::Feed(document, parser, parser);
    document = {};
    lap("feed");
    rivo::tool::ParseOutcome outcome;
    outcome.result = rivo::host::Parse(parser, false);
    lap("parse");
    rivo::tool::WriteParseDocument(out.stream(), outcome, parser, nodeIDs, linkIDs);
    out.Commit();
    lap("write");
    std::printf("\n");
    return 0;
}

struct Run {
    double seconds = 0.0;
    double peakMiB = 0.0;
    int status = -1;
};

// Runs `work` in a child process; `work` returns the child's exit status.
template <class Work>
Run InChild(Work work) {
    std::fflush(stdout);
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int status = work();
        std::fflush(stdout);
        _exit(status);
    }
    Run run;
    int status = 0;
    rusage usage{};
    if (child > 0 && wait4(child, &status, 0, &usage) == child) {
        run.seconds = SecondsSince(start);
        run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}

Run Best(unsigned runs, const std::function<Run()>& once) {
    Run best = once();
    for (unsigned i = 1; i < runs && best.status == 0; ++i) {
        const Run run = once();
        best.seconds = std::min(best.seconds, run.seconds);
        best.peakMiB = std::min(best.peakMiB, run.peakMiB);
        best.status = run.status;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Times a network document read into a JSON tree, adjacency lists, one BFS and "
        "one DFS; with --tool, also `rivo parse` on it.",
        "rivo_tool_yardstick");
    std::string network, tool, output = "/dev/null";
    unsigned runs = 1;
    bool phases = false;
    app.add_option("NETWORK", network, "The network document")->required();
    app.add_option("--tool", tool, "The rivo executable to compare");
    app.add_option("--output", output, "Where the tool writes its result (default /dev/null)");
    app.add_option("--runs", runs, "Runs of each; the best time and peak are shown")
        ->check(CLI::PositiveNumber);
    app.add_flag("--phases", phases, "Time the phases of the tool's run instead");
    CLI11_PARSE(app, argc, argv);
    if (phases) {
        const Run run =
            Best(runs, [&] { return InChild([&] { return RunToolPhases(network, output); }); });
        std::printf("whole run %.2f s, peak %.0f MiB\n", run.seconds, run.peakMiB);
        return run.status;
    }
    if (tool.empty()) {
        return RunYardstick(network);
    }
    const Run yardstick =
        Best(runs, [&] { return InChild([&] { return RunYardstick(network); }); });
    const Run parse = Best(runs, [&] {
        return InChild([&] {
            const char* args[] = {tool.c_str(), "parse",        network.c_str(),
                                  "-o",         output.c_str(), nullptr};
            execv(tool.c_str(), const_cast<char* const*>(args));
            return 127;
        });
    });
    std::printf("| run | seconds | peak MiB |\n|---|--:|--:|\n");
    std::printf("| JSON tree + adjacency + BFS + DFS | %.2f | %.0f |\n", yardstick.seconds,
                yardstick.peakMiB);
    std::printf("| rivo parse | %.2f | %.0f |\n", parse.seconds, parse.peakMiB);
    std::printf("rivo parse takes %.2f of the yardstick's time (best of %u)\n",
                parse.seconds / yardstick.seconds, runs);
    return yardstick.status == 0 && (parse.status == 0 || parse.status == 3) ? 0 : 1;
}

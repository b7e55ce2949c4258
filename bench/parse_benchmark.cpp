// Times the parser on synthetic networks: describing the network through the
// host interface, ParseNetwork(), ParseNetwork(true) on a fresh parser, and
// reading every result; and the plain walks over the same graph that any
// parse must at least do (the floor). Prints one Markdown table row per case.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_options.h"
#include "floor_walk.h"
#include "host/network_feed.h"
#include "network_generator.h"
#include "result_checksum.h"
#include "rivo/rivo.h"
#include "stage_profile.h"

namespace {

using rivo_bench::BenchOptions;
using rivo_bench::Network;
using rivo_bench::Profile;
using rivo_bench::StageTimedParser;

// Phases of a case, in the order they run.
enum Phase : std::int32_t { kGenerated = 1, kFed, kParsed, kRead, kLongestParsed };

// One case's measurements. Plain data: a child process sends it whole
// through a pipe after every phase, so a case that hangs or crashes still
// shows how far it got.
struct CaseResult {
    std::int32_t phasesDone = 0;
    std::int32_t nodes = 0;
    std::int32_t links = 0;
    double generateMs = 0.0;
    double floorMs = 0.0;  // the plain walks over the same graph
    double feedMs = 0.0;
    double parseMs = 0.0;
    double longestMs = 0.0;
    double readMs = 0.0;
    std::int32_t branches = 0;
    std::int32_t loops = 0;
    std::int64_t queryErrors = 0;
    rivo_bench::FloorWalk floor;
    std::uint64_t checksum = 0;
    double baseMiB = 0.0;  // resident size once the network is generated
    double peakMiB = 0.0;
    bool parsed = false;  // what ParseNetwork() returned
    bool longestParsed = false;
    // With --profile: where each parse's time went.
    StageTimes parseStages;
    StageTimes longestStages;
    char failure[200] = {};  // empty when the case ran to the end
};

template <class Work>
double TimeMs(Work&& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

// A field of /proc/self/status in MiB; 0 where there is none.
double StatusMiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0) {
            return std::stod(line.substr(length)) / 1024.0;
        }
    }
    return 0.0;
}

void SetFailure(CaseResult& result, const std::string& text) {
    std::snprintf(result.failure, sizeof result.failure, "%s", text.c_str());
}

using Report = std::function<void(const CaseResult&)>;

// A parser for one parse, timing its stages into `stages` when asked to.
std::unique_ptr<StageTimedParser> NewParser(bool profileStages, StageTimes& stages) {
    auto parser = std::make_unique<StageTimedParser>();
    if (profileStages) {
        parser->TimeStages(&stages);
    }
    return parser;
}

void Measure(Profile profile, std::int32_t size, const BenchOptions& options, CaseResult& r,
             const Report& report) {
    auto done = [&](Phase phase) {
        r.phasesDone = phase;
        report(r);
    };
    Network network;
    r.generateMs = TimeMs([&] { network = rivo_bench::Generate(profile, size, options.seed); });
    r.nodes = static_cast<std::int32_t>(network.nodes.size());
    r.links = static_cast<std::int32_t>(network.links.size());
    r.baseMiB = StatusMiB("VmRSS:");
    r.floorMs = TimeMs([&] { r.floor = rivo_bench::WalkFloor(network); });
    done(kGenerated);

    auto parser = NewParser(options.profileStages, r.parseStages);
    r.feedMs = TimeMs([&] { rivo::host::Feed(network, *parser, *parser); });
    done(kFed);
    r.parseMs = TimeMs([&] { r.parsed = parser->ParseNetwork(); });
    done(kParsed);
    rivo_bench::ReadTally tally;
    {
        const std::vector<std::int32_t> nodeIDs = rivo::host::NodeIDs(network);
        const std::vector<std::int32_t> linkIDs = rivo::host::LinkIDs(network);
        r.readMs = TimeMs([&] { tally = rivo_bench::ReadEverything(*parser, nodeIDs, linkIDs); });
    }
    r.branches = tally.branches;
    r.loops = tally.loops;
    r.queryErrors = tally.errors;
    r.checksum = tally.checksum;
    done(kRead);
    parser.reset();

    // A parser parses once; the longest-branch parse needs its own.
    parser = NewParser(options.profileStages, r.longestStages);
    rivo::host::Feed(network, *parser, *parser);
    r.longestMs = TimeMs([&] { r.longestParsed = parser->ParseNetwork(true); });
    done(kLongestParsed);
}

CaseResult RunInProcess(Profile profile, std::int32_t size, const BenchOptions& options,
                        const Report& report) {
    CaseResult result;
    try {
        Measure(profile, size, options, result, report);
    } catch (const CKtException& e) {
        SetFailure(result, "error: " + e.message.Utf8());
    } catch (const std::exception& e) {
        SetFailure(result, std::string("error: ") + e.what());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    report(result);
    return result;
}

bool ReadAll(int fd, void* buffer, std::size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    while (size > 0) {
        ssize_t got = read(fd, bytes, size);
        if (got <= 0) {
            return false;
        }
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

// Runs the case in a child, so that the peak is the case's own and a crash
// or a hang costs only this row.
CaseResult RunIsolated(Profile profile, std::int32_t size, const BenchOptions& options) {
    CaseResult result;
    int fds[2];
    std::fflush(stdout);
    if (pipe(fds) != 0) {
        SetFailure(result, "pipe failed");
        return result;
    }
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        alarm(options.timeoutSeconds);
        bool sent = true;
        RunInProcess(profile, size, options, [&](const CaseResult& r) {
            sent = sent && write(fds[1], &r, sizeof r) == sizeof r;
        });
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    bool finished = false;
    for (CaseResult update; child > 0 && ReadAll(fds[0], &update, sizeof update);) {
        result = update;
        finished = true;
    }
    close(fds[0]);
    int status = 0;
    rusage usage{};
    if (child > 0) {
        wait4(child, &status, 0, &usage);
    }
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (child < 0) {
        SetFailure(result, "fork failed");
    } else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
        SetFailure(result, "timed out after " + std::to_string(options.timeoutSeconds) + " s");
    } else if (WIFSIGNALED(status)) {
        SetFailure(result, std::string("crashed: ") + strsignal(WTERMSIG(status)));
    } else if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        SetFailure(result, "the case's process ended without a result");
    }
    return result;
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Times of phases that did not finish show as "-".
std::string Ms(const CaseResult& r, Phase phase, double ms) {
    return r.phasesDone >= phase ? Fixed(ms, 1) : "-";
}

// The parse as a multiple of the floor walks over the same graph.
std::string OverFloor(const CaseResult& r) {
    return r.phasesDone >= kParsed && r.floorMs > 0.0 ? Fixed(r.parseMs / r.floorMs, 1) : "-";
}

std::string PerNode(const CaseResult& r, Phase phase, double ms) {
    return r.phasesDone >= phase && r.nodes > 0 ? Fixed(ms * 1e6 / r.nodes, 0) : "-";
}

// Short form of the checksum of everything read: equal hashes for the same
// profile, size and seed mean the parse gave the same results.
std::string Hash(const CaseResult& r) {
    if (r.phasesDone < kRead) {
        return "-";
    }
    char text[20];
    std::snprintf(text, sizeof text, "%08llx",
                  static_cast<unsigned long long>(r.checksum ^ (r.checksum >> 32)) & 0xffffffffull);
    return text;
}

std::string Status(const CaseResult& r) {
    if (r.failure[0] != '\0') {
        std::string text = r.failure;
        for (char& c : text) {
            c = (c == '|' || static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
        }
        return text;
    }
    if (!r.parsed || !r.longestParsed) {
        return std::string("ParseNetwork") + (r.parsed ? "(true)" : "()") + " returned false";
    }
    return "ok";
}

void PrintHeader() {
    std::printf(
        "| profile | nodes | links | gen ms | feed ms | parse ms | longest ms | read ms "
        "| feed ns/node | parse ns/node | longest ns/node | read ns/node "
        "| branches | loops | query errors | result hash | floor ms | parse/floor "
        "| MiB after gen | peak MiB | status |\n"
        "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|---|--:|--:|--:|--:|---|\n");
}

void PrintRow(Profile profile, const CaseResult& r) {
    std::printf(
        "| %s | %d | %d | %s | %s | %s | %s | %s | %s | %s | %s | %s | %d | %d | %lld "
        "| %s | %s | %s | %s | %s | %s |\n",
        std::string(rivo_bench::ProfileName(profile)).c_str(), r.nodes, r.links,
        Ms(r, kGenerated, r.generateMs).c_str(), Ms(r, kFed, r.feedMs).c_str(),
        Ms(r, kParsed, r.parseMs).c_str(), Ms(r, kLongestParsed, r.longestMs).c_str(),
        Ms(r, kRead, r.readMs).c_str(), PerNode(r, kFed, r.feedMs).c_str(),
        PerNode(r, kParsed, r.parseMs).c_str(), PerNode(r, kLongestParsed, r.longestMs).c_str(),
        PerNode(r, kRead, r.readMs).c_str(), r.branches, r.loops,
        static_cast<long long>(r.queryErrors), Hash(r).c_str(),
        Ms(r, kGenerated, r.floorMs).c_str(), OverFloor(r).c_str(), Fixed(r.baseMiB, 1).c_str(),
        Fixed(r.peakMiB, 1).c_str(), Status(r).c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    CLI::App app("Times feeding, parsing and reading synthetic drainage networks.", "rivo_bench");
    rivo_bench::AddBenchOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {  // --help
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "rivo_bench: %s (see rivo_bench --help)\n", error.what());
        return 2;
    }
    std::printf("rivo %s, seed %llu%s\n\n", RIVO_VERSION,
                static_cast<unsigned long long>(options.seed),
                options.isolate ? ", one process per case" : ", all cases in one process");
    PrintHeader();
    bool allRan = true;
    std::vector<std::pair<Profile, CaseResult>> results;
    for (Profile profile : options.profiles) {
        for (std::int32_t size : options.sizes) {
            CaseResult result = options.isolate
                                    ? RunIsolated(profile, size, options)
                                    : RunInProcess(profile, size, options, [](const auto&) {});
            PrintRow(profile, result);
            allRan = allRan && result.failure[0] == '\0';
            if (options.profileStages) {
                results.emplace_back(profile, result);
            }
        }
    }
    for (const auto& [profile, r] : results) {
        rivo_bench::PrintStageTable(std::string(rivo_bench::ProfileName(profile)) + ", " +
                                        std::to_string(r.nodes) + " nodes",
                                    r.parseStages, r.phasesDone >= kParsed ? r.parseMs : 0.0,
                                    r.longestStages,
                                    r.phasesDone >= kLongestParsed ? r.longestMs : 0.0);
    }
    return allRan ? 0 : 1;
}

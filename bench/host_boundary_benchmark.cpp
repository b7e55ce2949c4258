// What a host pays to cross into the parser: feeding and parsing a
// generated network through the C++ classes and through the C interface
// (call by call and in bulk), and the cost of one query call each way. It
// also writes the network as columns for the .NET benchmark
// (bench/dotnet/HostBoundaryBenchmark.cs), which measures the same from C#:
//
//     rivo_host_boundary_bench realistic 1e6 network.columns [repeats]

#include <rivo/rivo_c.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "bench_options.h"
#include "host/network_feed.h"
#include "network_generator.h"
#include "rivo/rivo.h"

namespace {

using rivo_bench::Network;
using Velmora::Calculations::Dynamic::RivoNetworkParser;

template <class Work>
double Seconds(Work&& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of `repeats` runs of setup() then the timed work(setup's result).
template <class Setup, class Work>
double Best(int repeats, Setup setup, Work work) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repeats; ++i) {
        auto state = setup();
        best = std::min(best, Seconds([&] { work(state); }));
    }
    return best;
}

template <class T>
void Put(std::ofstream& out, const std::vector<T>& values) {
    out.write(reinterpret_cast<const char*>(values.data()),
              static_cast<std::streamsize>(values.size() * sizeof(T)));
}

template <class Record, class Field>
auto Column(const std::vector<Record>& records, Field field) {
    std::vector<std::decay_t<decltype(field(records.front()))>> column;
    column.reserve(records.size());
    for (const Record& r : records) {
        column.push_back(field(r));
    }
    return column;
}

// The network as little-endian columns: "RIVOCOL1", the four counts, then
// each record kind field by field. An absent pond flag is -1, an absent
// length NaN.
void WriteColumns(const Network& n, const std::string& file) {
    std::ofstream out(file, std::ios::binary);
    out.write("RIVOCOL1", 8);
    Put(out, std::vector<std::int32_t>{static_cast<std::int32_t>(n.nodes.size()),
                                       static_cast<std::int32_t>(n.links.size()),
                                       static_cast<std::int32_t>(n.pumpLinks.size()),
                                       static_cast<std::int32_t>(n.gutters.size())});
    Put(out, Column(n.nodes, [](auto& r) { return r.id; }));
    Put(out, Column(n.nodes, [](auto& r) { return r.x; }));
    Put(out, Column(n.nodes, [](auto& r) { return r.y; }));
    Put(out, Column(n.nodes, [](auto& r) { return r.type; }));
    Put(out, Column(n.nodes, [](auto& r) -> std::int8_t { return r.pond ? *r.pond : -1; }));
    Put(out, Column(n.nodes, [](auto& r) -> std::int8_t { return r.storage; }));
    Put(out, Column(n.links, [](auto& r) { return r.id; }));
    Put(out, Column(n.links, [](auto& r) { return r.source; }));
    Put(out, Column(n.links, [](auto& r) { return r.target; }));
    Put(out, Column(n.links, [](auto& r) { return r.sourceElevation; }));
    Put(out, Column(n.links, [](auto& r) { return r.targetElevation; }));
    Put(out, Column(n.links, [](auto& r) { return r.size; }));
    Put(out, Column(n.links, [](auto& r) { return r.type; }));
    Put(out, Column(n.links, [](auto& r) { return r.length.value_or(std::nan("")); }));
    Put(out, Column(n.pumpLinks, [](auto& r) { return r.id; }));
    Put(out, Column(n.pumpLinks, [](auto& r) { return r.upstream; }));
    Put(out, Column(n.pumpLinks, [](auto& r) { return r.downstream; }));
    Put(out, Column(n.gutters, [](auto& r) { return r.id; }));
    Put(out, Column(n.gutters, [](auto& r) -> std::int8_t { return r.sameDirectionAsUI; }));
}

struct CParser {
    rivo_parser* p = nullptr;
    CParser() { rivo_parser_create(&p); }
    ~CParser() { rivo_parser_release(p); }
    CParser(const CParser&) = delete;
    CParser& operator=(const CParser&) = delete;
};

// The flags, pump links and gutters the same way in both C feeds.
void FeedRest(rivo_parser* p, const Network& n) {
    for (const auto& node : n.nodes) {
        if (node.pond) {
            rivo_set_node_is_pond_type(p, node.id, *node.pond);
        }
        if (node.storage) {
            rivo_set_node_storage_type(p, node.id);
        }
    }
    for (const auto& pump : n.pumpLinks) {
        rivo_add_pump_link(p, pump.id, pump.upstream, pump.downstream);
    }
    for (const auto& gutter : n.gutters) {
        rivo_add_gutter_link_id_direction(p, gutter.id, gutter.sameDirectionAsUI);
    }
}

void FeedOneByOne(rivo_parser* p, const Network& n) {
    for (const auto& node : n.nodes) {
        rivo_add_node(p, node.id, node.x, node.y, node.type);
    }
    for (const auto& l : n.links) {
        if (l.length) {
            rivo_add_edge(p, l.id, l.source, l.sourceElevation, l.target, l.targetElevation, l.size,
                          l.type, *l.length);
        } else {
            rivo_add_edge_default_length(p, l.id, l.source, l.sourceElevation, l.target,
                                         l.targetElevation, l.size, l.type);
        }
    }
    FeedRest(p, n);
}

// Column copies are the host's own arrays, made before the clock starts.
struct Columns {
    explicit Columns(const Network& n)
        : ids(Column(n.nodes, [](auto& r) { return r.id; })),
          xs(Column(n.nodes, [](auto& r) { return r.x; })),
          ys(Column(n.nodes, [](auto& r) { return r.y; })),
          types(Column(n.nodes, [](auto& r) { return r.type; })),
          linkIDs(Column(n.links, [](auto& r) { return r.id; })),
          sources(Column(n.links, [](auto& r) { return r.source; })),
          targets(Column(n.links, [](auto& r) { return r.target; })),
          sourceElevations(Column(n.links, [](auto& r) { return r.sourceElevation; })),
          targetElevations(Column(n.links, [](auto& r) { return r.targetElevation; })),
          sizes(Column(n.links, [](auto& r) { return r.size; })),
          linkTypes(Column(n.links, [](auto& r) { return r.type; })),
          lengths(Column(n.links, [](auto& r) { return r.length.value_or(1.0); })) {}
    std::vector<std::int32_t> ids;
    std::vector<double> xs, ys;
    std::vector<std::int16_t> types;
    std::vector<std::int32_t> linkIDs, sources, targets;
    std::vector<double> sourceElevations, targetElevations, sizes;
    std::vector<std::int16_t> linkTypes;
    std::vector<double> lengths;
};

void FeedInBulk(rivo_parser* p, const Network& n, const Columns& c) {
    const auto nodes = static_cast<std::int32_t>(c.ids.size());
    const auto links = static_cast<std::int32_t>(c.linkIDs.size());
    rivo_add_nodes(p, nodes, c.ids.data(), c.xs.data(), c.ys.data(), c.types.data(), nullptr);
    rivo_add_edges(p, links, c.linkIDs.data(), c.sources.data(), c.sourceElevations.data(),
                   c.targets.data(), c.targetElevations.data(), c.sizes.data(), c.linkTypes.data(),
                   c.lengths.data(), nullptr);
    FeedRest(p, n);
}

void Row(const char* what, double seconds, std::size_t calls) {
    std::printf("| %s | %.3f | %.1f |\n", what, seconds,
                seconds * 1e9 / static_cast<double>(calls));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: rivo_host_boundary_bench PROFILE NODES COLUMNS [REPEATS]\n");
        return 2;
    }
    const auto nodes = rivo_bench::ParseSize(argv[2]);
    if (!nodes) {
        std::fprintf(stderr, "rivo_host_boundary_bench: bad size '%s'\n", argv[2]);
        return 2;
    }
    const int repeats = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    const Network n = rivo_bench::Generate(rivo_bench::ProfileOption(argv[1]), *nodes, 1);
    WriteColumns(n, argv[3]);
    const Columns columns(n);
    const std::size_t count = n.nodes.size();

    std::printf("| host, %s %zu nodes (best of %d) | s | ns per node |\n|---|--:|--:|\n", argv[1],
                count, repeats);
    Row("C++ classes: feed + parse",
        Best(
            repeats, [] { return std::make_unique<RivoNetworkParser>(); },
            [&](auto& p) {
                rivo::host::Feed(n, *p, *p);
                p->ParseNetwork();
            }),
        count);
    Row("C interface one by one: feed + parse",
        Best(
            repeats, [] { return std::make_unique<CParser>(); },
            [&](auto& c) {
                std::int32_t complete = 0;
                FeedOneByOne(c->p, n);
                rivo_parse_network(c->p, 0, &complete);
            }),
        count);
    Row("C interface bulk: feed + parse",
        Best(
            repeats, [] { return std::make_unique<CParser>(); },
            [&](auto& c) {
                std::int32_t complete = 0;
                FeedInBulk(c->p, n, columns);
                rivo_parse_network(c->p, 0, &complete);
            }),
        count);

    // One query per node, answered without raising, three ways.
    RivoNetworkParser parser;
    rivo::host::Feed(n, parser, parser);
    parser.ParseNetwork();
    CParser c;
    FeedInBulk(c.p, n, columns);
    std::int32_t complete = 0, sink = 0;
    rivo_parse_network(c.p, 0, &complete);
    std::printf("\n| one query per node | s | ns per call |\n|---|--:|--:|\n");
    Row("C++ GetNodeUpStreamSectionNumber",
        Best(
            repeats, [] { return 0; },
            [&](int) {
                for (std::int32_t id : columns.ids) {
                    sink += parser.GetNodeUpStreamSectionNumber(id);
                }
            }),
        count);
    Row("C rivo_get_node_up_stream_section_number",
        Best(
            repeats, [] { return 0; },
            [&](int) {
                for (std::int32_t id : columns.ids) {
                    std::int32_t v = 0;
                    rivo_get_node_up_stream_section_number(c.p, id, &v);
                    sink += v;
                }
            }),
        count);
    std::vector<rivo_node_answers> answers(count);
    Row("C rivo_read_nodes (every node query, per node)",
        Best(
            repeats, [] { return 0; },
            [&](int) {
                rivo_read_nodes(c.p, static_cast<std::int32_t>(count), columns.ids.data(),
                                answers.data());
            }),
        count);
    return sink == -1 ? 1 : 0;
}

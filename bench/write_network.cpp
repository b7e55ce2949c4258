// Writes a generated network as a document the command-line tool reads, so
// that the whole tool run can be timed on networks of any size:
//
//     rivo_write_network realistic 1e6 network.json [seed]

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "bench_options.h"
#include "network_generator.h"
#include "network_json.h"

namespace {

rivo::tool::NetworkDocument ToDocument(const rivo_bench::Network& network) {
    rivo::tool::NetworkDocument doc;
    doc.nodes.reserve(network.nodes.size());
    for (const rivo_bench::Node& n : network.nodes) {
        rivo::tool::NodeRecord r{n.id, n.x, n.y, n.type, std::nullopt, false};
        if (n.type == rivo_bench::node_kind::kStorage) {
            r.storage = true;
            r.pond = n.pond;
        }
        doc.nodes.push_back(r);
    }
    doc.links.reserve(network.links.size());
    for (const rivo_bench::Link& l : network.links) {
        doc.links.push_back(rivo::tool::LinkRecord{l.id, l.source, l.target, l.sourceElevation,
                                                   l.targetElevation, l.size, l.type, l.length});
    }
    for (const rivo_bench::PumpLink& p : network.pumpLinks) {
        doc.pumpLinks.push_back(rivo::tool::PumpLinkRecord{p.id, p.upNode, p.downNode});
    }
    for (const rivo_bench::Gutter& g : network.gutters) {
        doc.gutters.push_back(rivo::tool::GutterRecord{g.linkID, g.directionSameAsUI});
    }
    return doc;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: rivo_write_network PROFILE NODES FILE [SEED]\n";
        return 2;
    }
    std::optional<rivo_bench::Profile> profile = rivo_bench::ProfileFromName(argv[1]);
    std::int32_t nodes = 0;
    if (!profile || !rivo_bench::ParseSize(argv[2], nodes)) {
        std::cerr << "rivo_write_network: unknown profile or size\n";
        return 2;
    }
    std::uint64_t seed = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 1;
    std::ofstream out(argv[3], std::ios::binary);
    rivo::tool::swmm::WriteNetworkDocument(out,
                                           ToDocument(rivo_bench::Generate(*profile, nodes, seed)));
    out.close();
    if (!out) {
        std::cerr << "rivo_write_network: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}

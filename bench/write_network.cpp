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
    rivo::tool::swmm::WriteNetworkDocument(out, rivo_bench::Generate(*profile, nodes, seed));
    out.close();
    if (!out) {
        std::cerr << "rivo_write_network: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}

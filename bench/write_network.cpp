// Writes a generated network as a document the command-line tool reads, so
// that the whole tool run can be timed on networks of any size:
//
//     rivo_write_network realistic 1e6 network.json [seed]

#include <fstream>
#include <iostream>
#include <string>

#include "bench_options.h"
#include "network_generator.h"
#include "swmm/network_json.h"

int main(int argc, char** argv) {
    CLI::App app("Writes a generated network as a network document.", "rivo_write_network");
    std::string profile, size, file;
    std::uint64_t seed = 1;
    app.add_option("PROFILE", profile,
                   "realistic, outfall-heavy, looped, chain, star, ring or extra-loops")
        ->required();
    app.add_option("NODES", size, "Node count, e.g. 1e6 or 10k")->required();
    app.add_option("FILE", file, "The document to write")->required();
    app.add_option("SEED", seed, "Generator seed (default 1)");
    std::optional<std::int32_t> nodes;
    try {
        app.parse(argc, argv);
        nodes = rivo_bench::ParseSize(size);
        if (!nodes) {
            throw CLI::ValidationError("NODES", "bad size '" + size + "'");
        }
        rivo_bench::ProfileOption(profile);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    std::ofstream out(file, std::ios::binary);
    rivo::tool::swmm::WriteNetworkDocument(
        out, rivo_bench::Generate(rivo_bench::ProfileOption(profile), *nodes, seed));
    out.close();
    if (!out) {
        std::cerr << "rivo_write_network: cannot write " << file << "\n";
        return 1;
    }
    return 0;
}

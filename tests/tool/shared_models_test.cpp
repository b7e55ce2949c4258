#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/parse_run.h"
#include "diagnosis/false_result.h"
#include "diagnosis/pump_diagnosis.h"
#include "host/network_feed.h"
#include "swmm/network_json.h"
#include "swmm/pump_stations.h"
#include "swmm/swmm_reader.h"

// The collection of real SWMM models beside the checkout (skipped where it
// is absent): what import-swmm makes of every model, in both mappings of its
// pump stations, and how the storage-mapped networks parse.
namespace {

namespace fs = std::filesystem;
using rivo::tool::swmm::PumpNodes;

// The shared-data folder named at test time by RIVO_SHARED_DIR, or else the
// one beside the checkout.
fs::path SharedNetworks() {
    const char* given = std::getenv("RIVO_SHARED_DIR");
    return (given != nullptr && *given != '\0' ? fs::path(given)
                                               : fs::path(RIVO_SOURCE_DIR) / "../shared") /
           "networks";
}

const fs::path kShared = SharedNetworks();

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A model as SWMM reads it; the larger ones are kept compressed.
std::string ReadModel(const fs::path& path) {
    if (path.extension() != ".gz") {
        return ReadText(path);
    }
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        ::popen(("zcat '" + path.string() + "'").c_str(), "r"), ::pclose);
    std::string text;
    char block[1 << 16];
    for (std::size_t got; pipe && (got = std::fread(block, 1, sizeof block, pipe.get())) > 0;) {
        text.append(block, got);
    }
    return text;
}

std::string Document(const rivo::host::Network& network) {
    std::ostringstream out;
    rivo::tool::swmm::WriteNetworkDocument(out, network);
    return out.str();
}

// What import-swmm writes of a model: its network document and names.
std::string Written(const rivo::tool::swmm::SwmmNetwork& model) {
    std::ostringstream names;
    rivo::tool::swmm::WriteNameTable(names, model.names);
    return Document(model.document) + names.str();
}

// A model as import-swmm reads it, under the plain mapping and under the
// storage mapping of its pump stations.
struct Model {
    std::string name;
    rivo::tool::swmm::SwmmNetwork plain;
    rivo::host::Network storage;
};

std::vector<Model> ReadModels() {
    std::vector<fs::path> files(fs::directory_iterator(kShared / "inp"), {});
    std::sort(files.begin(), files.end());
    std::vector<Model> models;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        Model model{name.substr(0, name.find(".inp")), {}, {}};
        model.plain = rivo::tool::swmm::ReadSwmmText(ReadModel(file), name, PumpNodes::kNone);
        // The tool reads a compressed model itself, as zcat unpacks it.
        if (file.extension() == ".gz") {
            EXPECT_TRUE(Written(rivo::tool::swmm::ReadSwmmFile(file, PumpNodes::kNone)) ==
                        Written(model.plain))
                << name;
        }
        model.storage = model.plain.document;
        rivo::tool::swmm::MapPumpStationsToStorage(model.storage);
        models.push_back(std::move(model));
    }
    return models;
}

// Skipped where the collection is absent; where it is, the count below
// makes sure it is whole.
class SharedModels : public ::testing::Test {
    void SetUp() override {
        if (!fs::is_directory(kShared / "inp")) {
            GTEST_SKIP() << kShared / "inp"
                         << " is absent: the shared models lie beside the checkout, or set "
                            "RIVO_SHARED_DIR to their folder";
        }
    }
};

// import-swmm gives the collection's documents byte for byte: json-storage/
// by default, json/ with the plain mapping, and the names table, whether it
// reads a compressed model itself or its text unpacked. With their pump
// stations as storage nodes, every pump link is numbered: no model raises,
// with or without the longest-branch option. Each model is read once for
// both checks.
TEST_F(SharedModels, ImportGivesTheCollectionsDocumentsWhichParseWithoutRaising) {
    const std::vector<Model> models = ReadModels();
    ASSERT_EQ(models.size(), 105u);
    int parsedTrue[2] = {0, 0}, parsedFalse[2] = {0, 0};
    for (const Model& model : models) {
        const std::string plain = (kShared / "json" / model.name).string();
        EXPECT_TRUE(Document(model.storage) ==
                    ReadText(kShared / "json-storage" / (model.name + ".json")))
            << "json-storage/" << model.name;
        EXPECT_TRUE(Document(model.plain.document) == ReadText(plain + ".json")) << plain;
        std::ostringstream names;
        rivo::tool::swmm::WriteNameTable(names, model.plain.names);
        EXPECT_TRUE(names.str() == ReadText(plain + ".names.json")) << plain;
        for (const bool longest : {false, true}) {
            rivo::host::Network network = model.storage;
            Velmora::Calculations::Dynamic::RivoNetworkParser parser;
            const rivo::tool::ParseOutcome outcome =
                rivo::tool::FeedAndParse(network, longest, parser, parser);
            EXPECT_FALSE(outcome.error) << model.name << ": " << outcome.error->message;
            (outcome.result.value_or(false) ? parsedTrue : parsedFalse)[longest] += 1;
        }
    }
    for (const int longest : {0, 1}) {
        EXPECT_EQ(parsedTrue[longest], 74) << "longest " << longest;
        EXPECT_EQ(parsedFalse[longest], 31) << "longest " << longest;
    }
}

// With --longest and the plain mapping, the parse of this model stops at 14
// pump ends on no branch it reports. Parsed without --longest, two of them
// are numbered (they lie only on a loop branch, which --longest does not
// report), and twelve are the unnumbered last nodes of branches.
TEST_F(SharedModels, PumpEndsTheLongestBranchParseLeavesAreExplainedByTheParseWithout) {
    const fs::path file = kShared / "inp" / "c1729-3440-hh.inp.gz";
    const auto model = rivo::tool::swmm::ReadSwmmText(ReadModel(file), "m.inp", PumpNodes::kNone);
    Velmora::Calculations::Dynamic::RivoNetworkParser longest, plain;
    rivo::host::Network network = model.document;
    const rivo::tool::ParseOutcome outcome =
        rivo::tool::FeedAndParse(network, true, longest, longest);
    ASSERT_TRUE(outcome.error);
    std::vector<rivo::tool::UnnumberedPumpEnd> ends =
        rivo::tool::FindUnnumberedPumpEnds(longest, *outcome.error, true);
    rivo::tool::FeedAndParse(network, false, plain, plain);
    rivo::tool::ExplainWithoutLongest(plain, ends);
    using Cause = rivo::tool::UnnumberedPumpEnd::Cause;
    auto count = [&](Cause cause, bool withoutLongest) {
        return std::count_if(ends.begin(), ends.end(), [&](const auto& end) {
            return end.cause == cause && end.withoutLongest == withoutLongest;
        });
    };
    EXPECT_EQ(count(Cause::kLoopOnly, false), 2);
    EXPECT_EQ(count(Cause::kBranchEnd, true), 12);
    EXPECT_EQ(count(Cause::kBranchEnd, false), 82);
    EXPECT_EQ(ends.size(), 96u);
}

// The only outfall of this model has no conduit: the parser finds no outlet
// and lists nothing, and the reason names the outfall beside the sewer.
TEST_F(SharedModels, AModelWithoutOutletSaysWhichOutfallHasNoLink) {
    const fs::path file = kShared / "inp" / "c1729-dr6.inp.gz";
    auto model = rivo::tool::swmm::ReadSwmmText(ReadModel(file), "m.inp");
    Velmora::Calculations::Dynamic::RivoNetworkParser parser;
    rivo::host::Network network = model.document;
    const auto outcome = rivo::tool::FeedAndParse(network, false, parser, parser);
    ASSERT_EQ(outcome.result, false);
    const rivo::tool::FalseReason reason =
        rivo::tool::ExplainFalseResult(parser, network, &model.names);
    EXPECT_EQ(reason.headlines, (std::vector<std::string>{
                                    "no outlet: no outfall has a link (outfall 1424 '10' has none)",
                                    "1423 nodes in 64 groups reach no outlet"}));
    EXPECT_EQ(reason.groups.front(),
              "1344 nodes (1 '1', 2 '2', 3 '3' and 1341 more), beside outfall 1424 '10' that has "
              "no link");
}

}  // namespace

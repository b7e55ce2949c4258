#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "network_feed.h"
#include "network_json.h"
#include "network_reader.h"
#include "parse_run.h"
#include "swmm_reader.h"

// The collection of real SWMM models beside the checkout (skipped where it
// is absent): what import-swmm makes of every model, in both mappings of its
// pump stations, and how the storage-mapped networks parse.
namespace {

namespace fs = std::filesystem;
using rivo::tool::swmm::PumpNodes;

const fs::path kShared = RIVO_SHARED_NETWORKS;

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

struct Model {
    std::string name;
    fs::path file;
};

std::vector<Model> Models() {
    std::vector<Model> models;
    for (const auto& entry : fs::directory_iterator(kShared / "inp")) {
        std::string name = entry.path().filename().string();
        name = name.substr(0, name.find(".inp"));
        models.push_back({name, entry.path()});
    }
    std::sort(models.begin(), models.end(),
              [](const Model& a, const Model& b) { return a.name < b.name; });
    return models;
}

class SharedModels : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kShared / "inp")) {
            GTEST_SKIP() << kShared << " is absent";
        }
        models_ = Models();
        ASSERT_EQ(models_.size(), 105u);
    }
    std::vector<Model> models_;
};

TEST_F(SharedModels, ImportGivesTheCollectionsDocumentsByteForByte) {
    for (const Model& model : models_) {
        const std::string text = ReadModel(model.file);
        for (const auto& [mapping, folder] : {std::pair(PumpNodes::kStorage, "json-storage"),
                                              std::pair(PumpNodes::kNone, "json")}) {
            const auto swmm = rivo::tool::swmm::ReadSwmmText(text, model.name, mapping);
            std::ostringstream document;
            rivo::tool::swmm::WriteNetworkDocument(document, swmm.document);
            EXPECT_TRUE(document.str() == ReadText(kShared / folder / (model.name + ".json")))
                << folder << "/" << model.name;
            if (mapping == PumpNodes::kNone) {
                std::ostringstream names;
                rivo::tool::swmm::WriteNameTable(names, swmm.names);
                EXPECT_TRUE(names.str() ==
                            ReadText(kShared / "json" / (model.name + ".names.json")))
                    << model.name;
            }
        }
    }
}

// With their pump stations as storage nodes, every pump link is numbered:
// no model raises, with or without the longest-branch option.
TEST_F(SharedModels, StorageMappedNetworksParseWithoutRaising) {
    for (const bool longest : {false, true}) {
        int parsedTrue = 0, parsedFalse = 0;
        for (const Model& model : models_) {
            rivo::host::Network network = rivo::tool::ReadNetworkFile(
                (kShared / "json-storage" / (model.name + ".json")).string());
            Velmora::Calculations::Dynamic::RivoNetworkParser parser;
            const rivo::tool::ParseOutcome outcome = rivo::tool::FeedAndParse(
                network, rivo::tool::AfterFeeding::kDrop, longest, parser, parser);
            EXPECT_FALSE(outcome.error) << model.name << ": " << outcome.error->message;
            (outcome.result.value_or(false) ? parsedTrue : parsedFalse) += 1;
        }
        EXPECT_EQ(parsedTrue, 74) << "longest " << longest;
        EXPECT_EQ(parsedFalse, 31) << "longest " << longest;
    }
}

}  // namespace

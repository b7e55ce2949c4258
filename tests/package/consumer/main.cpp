// A host built against an installed package, as a Windows host writes it:
// <windows.h> first, then the library. It feeds the showcase network, parses
// it, and reads an error through the exception and through the platform's
// error information.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <rivo/rivo.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

namespace dyn = Velmora::Calculations::Dynamic;

int failures = 0;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what);
        ++failures;
    }
}

// The value of "key": on one line of the showcase document, where every
// element of the network is written on a line of its own (true is 1).
bool Field(const std::string& line, const char* key, double& value) {
    std::size_t at = line.find(std::string("\"") + key + "\":");
    if (at == std::string::npos) {
        return false;
    }
    const char* text = line.c_str() + at + std::strlen(key) + 3;
    text += std::strspn(text, " ");
    value = text[0] == 't' ? 1.0 : std::strtod(text, nullptr);
    return true;
}

int Int(const std::string& line, const char* key) {
    double value = 0;
    Field(line, key, value);
    return static_cast<int>(value);
}

// Feeds the showcase as the tool does: nodes, flags, links, pump links, gutters.
void Feed(std::ifstream& in, dyn::RivoNetworkParser& parser) {
    std::string line;
    double x = 0, y = 0, pond = 0, storage = 0, length = 0, se = 0, te = 0, size = 0;
    while (std::getline(in, line)) {
        const int id = Int(line, "id");
        if (Field(line, "x", x) && Field(line, "y", y)) {
            parser.AddNode(id, x, y, static_cast<std::int16_t>(Int(line, "type")));
            if (Field(line, "pond", pond)) {
                parser.SetNodeIsPondType(id, pond != 0);
            }
            if (Field(line, "storage", storage) && storage != 0) {
                parser.SetNodeStorageType(id);
            }
        } else if (Field(line, "sourceElevation", se) && Field(line, "targetElevation", te) &&
                   Field(line, "size", size)) {
            auto type = static_cast<std::int16_t>(Int(line, "type"));
            if (Field(line, "length", length)) {
                parser.AddEdge(id, Int(line, "source"), se, Int(line, "target"), te, size, type,
                               length);
            } else {
                parser.AddEdge(id, Int(line, "source"), se, Int(line, "target"), te, size, type);
            }
        } else if (line.find("pumpLinks") != std::string::npos) {
            parser.AddPumpLink(id, Int(line, "upstream"), Int(line, "downstream"));
        } else if (line.find("gutters") != std::string::npos) {
            parser.AddGutterLinkIDDirection(id, Int(line, "sameDirectionAsUI") != 0);
        }
    }
}

// The error a host reads back after SetErrorInfo, as its platform reads it.
std::wstring PublishedDescription(CKtHRException& error) {
    rivo::GUID none{};
    if (error.SetErrorInfo(none, L"Rivo") != 0) {
        return L"SetErrorInfo failed";
    }
#if defined(_WIN32)
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK) {
        return L"no error information";
    }
    BSTR text = nullptr;
    info->GetDescription(&text);
    std::wstring description = text ? text : L"";
    SysFreeString(text);
    info->Release();
    return description;
#else
    auto info = rivo::GetErrorInfo();
    return info ? info->description : L"no error information";
#endif
}

}  // namespace

int main(int argc, char** argv) {
    dyn::RivoNetworkParser parser;
    std::ifstream in(argc > 1 ? argv[1] : "");
    if (!in) {
        std::printf("usage: consumer showcase.json\n");
        return 2;
    }
    Feed(in, parser);
    // The showcase has a group of nodes that reaches no outlet: false.
    Check(!parser.ParseNetwork(), "the showcase parses to false");
    Check(parser.NumberOfBranches() == 10 && parser.NumberOfLoops() == 8, "10 branches, 8 loops");
    Check(parser.NumberOfPumpLinks() == 1 && parser.NumberOfIsolatedNodes() == 3,
          "one pump link, three isolated nodes");
    Check(dyn::ReadBranches(parser).size() == 10, "the bulk reading answers every branch");
    Check(parser.GetNodeIsOutfallType(1) && rivo::node_type::kOutfall == 1, "type codes");
    try {
        parser.GetBranch(-1);
        Check(false, "GetBranch(-1) raises");
    } catch (CKtHRException& error) {
        const std::wstring expected = L"Failed : CFLDNetworkParser::GetBranch\nIndex out of range";
        Check(error.GetHResult() == static_cast<rivo::HRESULT>(0x80070057u), "E_INVALIDARG");
        Check(error.message == expected, "the exception's message");
        Check(PublishedDescription(error) == expected, "the published error's description");
    }
    std::printf("rivo %s: %d branches, %d failures\n", RIVO_VERSION, parser.NumberOfBranches(),
                failures);
    return failures == 0 ? 0 : 1;
}

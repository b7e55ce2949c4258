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

// The number after "key": on one line of the showcase document, where every
// element of the network is written on a line of its own.
bool Field(const std::string& line, const char* key, double& value) {
    std::string quoted = std::string("\"") + key + "\":";
    std::size_t at = line.find(quoted);
    std::size_t start =
        at == std::string::npos ? at : line.find_first_not_of(' ', at + quoted.size());
    if (start == std::string::npos) {
        return false;
    }
    char c = line[start];
    value = c == 't' ? 1.0 : c == 'f' ? 0.0 : std::strtod(line.c_str() + start, nullptr);
    return true;
}

int Int(const std::string& line, const char* key) {
    double value = 0;
    Field(line, key, value);
    return static_cast<int>(value);
}

bool Feed(const char* path, dyn::RivoNetworkParser& parser) {
    std::ifstream in(path);
    if (!in) {
        return false;
    }
    std::string line;
    std::string section;
    double v = 0;
    while (std::getline(in, line)) {
        if (line.find("\"nodes\"") != std::string::npos) {
            section = "nodes";
        } else if (line.find("\"links\"") != std::string::npos) {
            section = "links";
        }
        if (line.find("\"pumpLinks\"") != std::string::npos) {
            parser.AddPumpLink(Int(line, "id"), Int(line, "upstream"), Int(line, "downstream"));
        } else if (line.find("\"gutters\"") != std::string::npos) {
            parser.AddGutterLinkIDDirection(Int(line, "id"),
                                            Field(line, "sameDirectionAsUI", v) && v);
        } else if (section == "nodes" && Field(line, "x", v)) {
            double y = 0;
            Field(line, "y", y);
            parser.AddNode(Int(line, "id"), v, y, static_cast<std::int16_t>(Int(line, "type")));
            if (Field(line, "pond", v)) {
                parser.SetNodeIsPondType(Int(line, "id"), v != 0);
            }
            if (Field(line, "storage", v) && v != 0) {
                parser.SetNodeStorageType(Int(line, "id"));
            }
        } else if (section == "links" && Field(line, "source", v)) {
            double se = 0, te = 0, size = 0, length = 0;
            Field(line, "sourceElevation", se);
            Field(line, "targetElevation", te);
            Field(line, "size", size);
            auto type = static_cast<std::int16_t>(Int(line, "type"));
            if (Field(line, "length", length)) {
                parser.AddEdge(Int(line, "id"), Int(line, "source"), se, Int(line, "target"), te,
                               size, type, length);
            } else {
                parser.AddEdge(Int(line, "id"), Int(line, "source"), se, Int(line, "target"), te,
                               size, type);
            }
        }
    }
    return true;
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
    if (argc < 2 || !Feed(argv[1], parser)) {
        std::printf("usage: consumer showcase.json\n");
        return 2;
    }
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

// A host built against an installed package, as a Windows host writes it:
// <windows.h> first, then the library. It feeds a small network, parses it,
// and reads an error through the exception and through the platform's error
// information.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <rivo/rivo.h>

#include <cstdio>
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

// A pump's pressure main: outfall 1, manholes up to the wet well 4, the
// pump node 3 and the main 3-5-6-7.
void Feed(dyn::RivoNetworkParser& parser) {
    const std::int16_t types[] = {1, 0, 4, 2, 0, 0, 0};
    const double xs[] = {0, 10, 20, 30, 20, 20, 20}, ys[] = {0, 0, 0, 0, 10, 20, 30};
    for (int i = 0; i < 7; ++i) {
        parser.AddNode(i + 1, xs[i], ys[i], types[i]);
    }
    parser.SetNodeIsPondType(4, false);
    const int sources[] = {2, 3, 4, 3, 5, 6}, targets[] = {1, 2, 3, 5, 6, 7};
    const double up[] = {1.0, 1.5, 2.0, 1.5, 3.0, 3.9}, down[] = {0.5, 1.0, 1.5, 3.0, 4.0, 3.6};
    const double sizes[] = {1.0, 1.0, 0.8, 0.3, 0.3, 0.3};
    for (int i = 0; i < 6; ++i) {
        parser.AddEdge(10 + i, sources[i], up[i], targets[i], down[i], sizes[i], 0, 10.0);
    }
    parser.AddPumpLink(300, 4, 3);
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

int main() {
    dyn::RivoNetworkParser parser;
    Feed(parser);
    Check(parser.ParseNetwork(), "the pressure main parses to true");
    Check(parser.NumberOfBranches() == 3 && parser.NumberOfLoops() == 0, "3 branches, no loop");
    Check(parser.NumberOfPumpLinks() == 1 &&
              parser.GetPumpLink(0)->UpStreamNodeUpSectionNumber() == 7,
          "the pump link");
    Check(dyn::ReadBranches(parser).size() == 3, "the bulk reading answers every branch");
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

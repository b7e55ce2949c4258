#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "rivo/rivo.h"
#include "support/error_texts.h"
#include "support/kt_exception.h"

namespace rivo_fuzz {

// Every message the system may raise: the whole-message errors, and a context,
// a line break and a detail for the others. Anything else is a finding.
inline bool IsKnownMessage(const std::wstring& m) {
    const wchar_t* whole[] = {texts::kGraphAddNode,           texts::kGraphAddEdge,
                              texts::kGraphGetNode,           texts::kGraphGetEdge,
                              texts::kGraphSetNodeIsPondType, texts::kNoOutlet};
    for (const wchar_t* w : whole) {
        if (m == w) {
            return true;
        }
    }
    const wchar_t* contexts[] = {texts::kGetBranch,
                                 texts::kGetLoopBranch,
                                 texts::kGetPumpLink,
                                 texts::kGetGutterLinkID,
                                 texts::kGetGutterDirectionSameAsUI,
                                 texts::kGetIsolatedNodeId,
                                 texts::kGetIsolatedEdgeId,
                                 texts::kGetRemovedOutfallId,
                                 texts::kGetBranchNumberOfNode,
                                 texts::kGetNodeIndexInBranch,
                                 texts::kAddOutletNodes,
                                 texts::kParseAllNetworks,
                                 texts::kBranchGetNodeID,
                                 texts::kBranchGetEdgeID,
                                 texts::kGetElevation};
    const wchar_t* details[] = {texts::kIndexOutOfRange, texts::kNodeNotInGraph,
                                texts::kNodeNotInEdge, texts::kLinkNotConnected,
                                texts::kAlreadyParsed};
    for (const wchar_t* c : contexts) {
        for (const wchar_t* d : details) {
            if (m == std::wstring(c) + L"\n" + d) {
                return true;
            }
        }
    }
    return false;
}

inline void CheckKnownMessage(const CKtHRException& e) {
    if (!IsKnownMessage(e.message) || (e.hr != E_INVALIDARG && e.hr != E_FAIL)) {
        std::fprintf(stderr, "unexpected error %08x: %s\n", static_cast<unsigned>(e.hr),
                     ToUtf8(e.message).c_str());
        std::abort();
    }
}

}  // namespace rivo_fuzz

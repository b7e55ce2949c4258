#pragma once

// Every text the system raises, in one place. A context names the operation
// that failed; a detail says what was wrong. Raised messages are a context, a
// line break and a detail, or a context alone for the graph lookups.
namespace texts {

// Contexts of the parser's operations.
inline constexpr const wchar_t* kGetBranch = L"Failed : CFLDNetworkParser::GetBranch";
inline constexpr const wchar_t* kGetLoopBranch = L"Failed : CFLDNetworkParser::GetLoopBranch";
inline constexpr const wchar_t* kGetPumpLink = L"Failed : CFLDNetworkParser::GetPumpLink";
inline constexpr const wchar_t* kGetGutterLinkID = L"Failed : CFLDNetworkParser::GetGutterLinkID";
inline constexpr const wchar_t* kGetGutterDirectionSameAsUI =
    L"Failed : CFLDNetworkParser::GetGutterDirectionSameAsUI";
inline constexpr const wchar_t* kGetIsolatedNodeId =
    L"Failed : CFLDNetworkParser::GetIsolatedNodeId";
inline constexpr const wchar_t* kGetIsolatedEdgeId =
    L"Failed : CFLDNetworkParser::GetIsolatedEdgeId";
inline constexpr const wchar_t* kGetRemovedOutfallId =
    L"Failed : CFLDNetworkParser::GetRemovedOutfallId";
inline constexpr const wchar_t* kGetBranchNumberOfNode =
    L"Failed : CFLDNetworkParser::GetBranchNumberOfNode";
inline constexpr const wchar_t* kGetNodeIndexInBranch =
    L"Failed : CFLDNetworkParser::GetNodeIndexInBranch";
inline constexpr const wchar_t* kAddOutletNodes = L"Failed : CFLDNetworkParser::AddOutletNodes";
inline constexpr const wchar_t* kParseAllNetworks = L"Failed : CFLDNetworkParser::ParseAllNetworks";

// Contexts of branch and link records.
inline constexpr const wchar_t* kBranchGetNodeID = L"Failed : CBranch::GetNodeID";
inline constexpr const wchar_t* kBranchGetEdgeID = L"Failed : CBranch::GetEdgeID";
inline constexpr const wchar_t* kGetElevation = L"Failed : CEdgeData::GetElevation";

// Whole messages of the graph lookups.
inline constexpr const wchar_t* kGraphAddNode = L"Failed : graph_fld::add_node";
inline constexpr const wchar_t* kGraphAddEdge = L"Failed : graph_fld::add_edge";
inline constexpr const wchar_t* kGraphGetNode = L"Failed : graph_fld::GetNode";
inline constexpr const wchar_t* kGraphGetEdge = L"Failed : graph_fld::GetEdge";
inline constexpr const wchar_t* kGraphSetNodeIsPondType = L"Failed : graph_fld::SetNodeIsPondType";

// Whole message of a network without any outlet.
inline constexpr const wchar_t* kNoOutlet = L"No outlet in the network";

// Details.
inline constexpr const wchar_t* kIndexOutOfRange = L"Index out of range";
inline constexpr const wchar_t* kNodeNotInGraph = L"Node ID is not in the Graph";
inline constexpr const wchar_t* kNodeNotInEdge = L"node is not in the edge";
inline constexpr const wchar_t* kLinkNotConnected = L"Link is not connected to the node";
inline constexpr const wchar_t* kAlreadyParsed = L"The network has already been parsed";

// Messages of the C interface's own checks, made before the parser is called.
inline constexpr const wchar_t* kNullPointer = L"A pointer argument is null";
inline constexpr const wchar_t* kNegativeCount = L"A count or position is negative";
inline constexpr const wchar_t* kUnknownBranchList = L"Unknown branch list";
inline constexpr const wchar_t* kUnknownField = L"Unknown field";
inline constexpr const wchar_t* kCapacityTooSmall = L"An array is too small for the answers";
inline constexpr const wchar_t* kOutOfMemory = L"Out of memory";
inline constexpr const wchar_t* kUnexpected = L"Unexpected error";

}  // namespace texts

#include "parser/network_parser.h"

#include "branches/branch_finder.h"

// The host adds links one call at a time; they are linked into the graph in
// one pass when the parse starts.
CFLDNetworkParser::CFLDNetworkParser() {
    graph.defer_links();
}

// Workers own their branches and the searches they ran themselves; the
// per-outlet searches and the parser's own loop branches belong to the
// parser. Records of nodes and links live in the graph.
CFLDNetworkParser::~CFLDNetworkParser() {
    workers_.linkLoops.clear();
    input_.pumpLinks.clear();
    workers_.subnetworks.clear();
    longestPass_.secondPassSubnetworks.clear();
    outletStage_.outletSearches.clear();
}

void CFLDNetworkParser::AddNode(std::int32_t nodeID, double xPosition, double yPosition,
                                std::int16_t nodeType) {
    graph.add_node(nodeID, nodeType, xPosition, yPosition);
}

void CFLDNetworkParser::SetNodeIsPondType(std::int32_t nodeID, bool isPond) {
    graph.SetNodeIsPondType(nodeID, isPond);
}

void CFLDNetworkParser::SetNodeStorageType(std::int32_t nodeID) {
    graph.data(graph.GetNode(nodeID)).nodeType = node_type::kStorage;
}

// Weirs, orifices and the like (types 3, 5, 6, 8) never become part of a
// branch tree: each is hidden at once and kept as a one-link loop branch.
void CFLDNetworkParser::AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID,
                                double elevationInSource, std::int32_t targetNodeID,
                                double elevationInTarget, double size, std::int16_t edgeType,
                                double length) {
    GTL::node source = graph.GetNode(sourceNodeID);
    GTL::node target = graph.GetNode(targetNodeID);
    GTL::edge e = graph.add_edge(edgeID, source, target, edgeType, elevationInSource,
                                 elevationInTarget, size, length);
    if (edge_type::IsSetAside(edgeType)) {
        graph.hide_edge(e);
        auto branch = std::make_unique<CBranch>();
        branch->nodes.push_back(source);
        branch->nodes.push_back(target);
        branch->edges.push_back(e);
        branch->FillIDTables(graph);
        AppendLinkLoop(std::move(branch));
    }
}

void CFLDNetworkParser::AddEdge(std::int32_t edgeID, std::int32_t sourceNodeID,
                                double elevationInSource, std::int32_t targetNodeID,
                                double elevationInTarget, double size, std::int16_t edgeType) {
    AddEdge(edgeID, sourceNodeID, elevationInSource, targetNodeID, elevationInTarget, size,
            edgeType, 1.0);
}

void CFLDNetworkParser::AddPumpLink(std::int32_t pumpID, std::int32_t upStreamNodeID,
                                    std::int32_t downStreamNodeID) {
    input_.pumpLinks.push_back(
        std::make_unique<CPumpLink>(pumpID, upStreamNodeID, downStreamNodeID));
}

void CFLDNetworkParser::AddGutterLinkIDDirection(std::int32_t gutterID,
                                                 bool gutterDirectionSameAsUI) {
    input_.gutterLinkIDs.push_back(gutterID);
    input_.gutterDirectionsSameAsUI.push_back(gutterDirectionSameAsUI);
}

std::int32_t CFLDNetworkParser::GetNumberOfNodes() const {
    return graph.number_of_node_ids();
}

std::int32_t CFLDNetworkParser::GetNumberOfLinks() const {
    return graph.number_of_edge_ids();
}

CBranch* CFLDNetworkParser::AppendLinkLoop(std::unique_ptr<CBranch> branch) {
    CBranch* added = branch.get();
    workers_.linkLoops.push_back(std::move(branch));
    workers_.loopEnds.Add(*added);
    return added;
}

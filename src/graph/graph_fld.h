#pragma once

#include <cstdint>

#include "graph/edge_data.h"
#include "graph/gtl_graph.h"
#include "graph/id_index.h"
#include "graph/node_data.h"
#include "graph/record_store.h"

// The drainage network: the generic graph with a NodeData record on every
// node and a CEdgeData object on every link, found by the host's IDs.
class graph_fld : public GTL::graph {
public:
    graph_fld() = default;
    ~graph_fld() override = default;

    GTL::node add_node(std::int32_t nodeID, std::int16_t nodeType, double xPosition,
                       double yPosition);
    GTL::edge add_edge(std::int32_t edgeID, GTL::node source, GTL::node target,
                       std::int16_t edgeType, double elevationInSource, double elevationInTarget,
                       double size, double length);

    GTL::node GetNode(std::int32_t nodeID) const;
    GTL::edge GetEdge(std::int32_t edgeID) const;
    void SetNodeIsPondType(std::int32_t nodeID, bool isPond);

    bool HasNode(std::int32_t nodeID) const { return nodeByID_.find(nodeID) >= 0; }
    bool HasEdge(std::int32_t edgeID) const { return edgeByID_.find(edgeID) >= 0; }
    // The node or edge with this ID; null, not raising, where there is none.
    GTL::node FindNode(std::int32_t nodeID) const { return GTL::node{nodeByID_.find(nodeID)}; }
    GTL::edge FindEdge(std::int32_t edgeID) const { return GTL::edge{edgeByID_.find(edgeID)}; }

    NodeData& data(GTL::node n) { return nodeData_[n.id]; }
    const NodeData& data(GTL::node n) const { return nodeData_[n.id]; }
    CEdgeData& data(GTL::edge e) { return edgeData_[e.id]; }
    const CEdgeData& data(GTL::edge e) const { return edgeData_[e.id]; }

    void reserve(std::size_t nodes, std::size_t edges);

    // Numbers nodes in the order a depth-first walk meets them (each
    // component from its first node created) and links by the lower number
    // of their ends, so that the parse's searches walk memory in order. Every
    // order the graph shows stays as it was. Gives each node's and link's
    // new number by its old one, for handles held outside the graph.
    void NumberForSearches(large_vector<std::int32_t>& newNode,
                           large_vector<std::int32_t>& newEdge);

private:
    record_store<NodeData> nodeData_;
    record_store<CEdgeData> edgeData_;
    IdIndex nodeByID_;
    IdIndex edgeByID_;
};

using System.Collections;

namespace Velmora.Calculations.Dynamic
{
    /// <summary>Describing the network: nodes first, then links (their end nodes must exist),
    /// pump links and node flags.</summary>
    public interface IVFLDNetwork
    {
        void AddNode(int nodeID, double xPosition, double yPosition, short nodeType);
        void SetNodeIsPondType(int nodeID, bool isPond);
        void AddEdge(int edgeID, int sourceNodeID, double elevationInSource, int targetNodeID,
            double elevationInTarget, double size, short edgeType, double length);
        /// <summary>A link whose length the parser sets (1.0).</summary>
        void AddEdge(int edgeID, int sourceNodeID, double elevationInSource, int targetNodeID,
            double elevationInTarget, double size, short edgeType);
        void AddPumpLink(int pumpID, int upStreamNodeID, int downStreamNodeID);
        void SetNodeStorageType(int nodeId);
    }

    /// <summary>Parsing the network and reading its decomposition.</summary>
    public interface IVFLDNetworkParser
    {
        bool ParseNetwork(bool findLongestBranch);
        bool ParseNetwork();
        int NumberOfBranches { get; }
        int NumberOfLoops { get; }
        IVBranch GetBranch(int index);
        IVBranch GetLoop(int index);
        bool ContainsLoop { get; }
        double GetFirstSectionPosition(int pipeID);
        double GetSecondSectionPosition(int pipeID);
        int GetBranchNumberOfPipe(int PipeID);
        void SetFirstSectionPosition(int pipeID, double firstSectionPosition);
        void SetSecondSectionPosition(int pipeID, double secondSectionPosition);
        int GetBranchNumberOfNode(int nodeID);
        int GetNodeIndexInBranch(int nodeID);
        int NumberOfPumpLinks { get; }
        IVPumpLink GetPumpLink(int index);
        double GetNodeDownStreamSectionPosition(int nodeID);
        void SetNodeDownStreamSectionPosition(int nodeID, double downStreamSectionPosition);
        int GetNodeUpStreamSectionNumber(int nodeID);
        int GetLinkUpStreamSectionNumber(int linkID);
        int NumberOfGutters { get; }
        void AddGutterLinkIDDirection(int gutterID, bool gutterDirectionSameAsUI);
        int GetGutterLinkID(int index);
        int NumberOfIsolatedNodes { get; }
        int NumberOfIsolatedEdges { get; }
        int GetIsolatedNodeId(int index);
        int GetIsolatedEdgeId(int index);
        bool GetParserDirectionSameAsUI(int linkId);
        bool GetGutterDirectionSameAsUI(int index);
        bool GetNodeIsManholeOrStorageType(int nodeId);
        bool GetNodeIsOutfallType(int nodeId);
        bool GetNodeIsConvertedToOutfall(int nodeId);
        bool GetNodeIsPump(int nodeId);
        int NumberOfNodes { get; }
        int NumberOfLinks { get; }
        /// <summary>A list kept for the host; the parser never reads or fills it.</summary>
        ArrayList PumpList { get; }
        int NumberOfRemovedOutfalls { get; }
        int GetRemovedOutfallID(int index);
    }

    /// <summary>One branch or loop branch of the result: a chain of nodes and links, the
    /// computational sections the solver gives it, and what it meets at its two ends.</summary>
    public interface IVBranch
    {
        int BranchNumber { get; }
        int DownStreamBranchNumber { get; }
        int DownStreamUpSectionNumber { get; }
        int UpStreamBranchNumber { get; }
        int UpStreamUpSectionNumber { get; }
        int NumberOfNodes { get; }
        int NumberOfEdges { get; }
        int GetNodeID(int index);
        int GetEdgeID(int index);
        int NumberOfSections { get; }
        bool IsStorageOutletBranch { get; }
        bool IsSingleStorageNodeBranch { get; }
    }

    /// <summary>One pump link of the result: the branches and sections its two nodes lie on.</summary>
    public interface IVPumpLink
    {
        int UpStreamNodeID { get; }
        int DownStreamNodeID { get; }
        int UpStreamBranchNumber { get; }
        int DownStreamBranchNumber { get; }
        int UpStreamNodeUpSectionNumber { get; }
        int DownStreamNodeUpSectionNumber { get; }
        int PumpLinkID { get; }
    }
}

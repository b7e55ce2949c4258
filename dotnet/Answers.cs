using System.Runtime.InteropServices;

namespace Velmora.Calculations.Dynamic
{
    // The records of the bulk reads, laid out as the native interface fills
    // them (rivo_node_answers and its kin), so that an array of them is
    // filled in place. A query that would raise leaves its answer null.
    // Their fields are written by native code only, which compilers cannot see.
#pragma warning disable 0169, 0649

    /// <summary>The node queries for one node, as GetBranchNumberOfNode, GetNodeIndexInBranch,
    /// GetNodeUpStreamSectionNumber, GetNodeDownStreamSectionPosition and the GetNodeIs...
    /// queries answer them; null where the query raises (a node on no branch has no branch
    /// number, an unknown ID answers nothing).</summary>
    [StructLayout(LayoutKind.Sequential)]
    public struct NodeAnswers
    {
        private int id;
        private int branchNumber;
        private int indexInBranch;
        private int upStreamSectionNumber;
        private int isOutfallType;
        private int isConvertedToOutfall;
        private int isPump;
        private int isManholeOrStorageType;
        private uint answered;
        private int reserved;
        private double downStreamSectionPosition;

        public int ID { get { return id; } }
        public int? BranchNumber { get { return Int(0, branchNumber); } }
        public int? IndexInBranch { get { return Int(1, indexInBranch); } }
        public int? UpStreamSectionNumber { get { return Int(2, upStreamSectionNumber); } }
        public double? DownStreamSectionPosition
        {
            get { return Has(3) ? downStreamSectionPosition : (double?)null; }
        }
        public bool? IsOutfallType { get { return Bool(4, isOutfallType); } }
        public bool? IsConvertedToOutfall { get { return Bool(5, isConvertedToOutfall); } }
        public bool? IsPump { get { return Bool(6, isPump); } }
        public bool? IsManholeOrStorageType { get { return Bool(7, isManholeOrStorageType); } }

        private bool Has(int bit) { return (answered & (1u << bit)) != 0; }
        private int? Int(int bit, int value) { return Has(bit) ? value : (int?)null; }
        private bool? Bool(int bit, int value) { return Has(bit) ? value != 0 : (bool?)null; }
    }

    /// <summary>The link queries for one link (GetBranchNumberOfPipe,
    /// GetLinkUpStreamSectionNumber, GetParserDirectionSameAsUI and the section positions);
    /// null where the query raises.</summary>
    [StructLayout(LayoutKind.Sequential)]
    public struct LinkAnswers
    {
        private int id;
        private int branchNumber;
        private int upStreamSectionNumber;
        private int parserDirectionSameAsUI;
        private uint answered;
        private int reserved;
        private double firstSectionPosition;
        private double secondSectionPosition;

        public int ID { get { return id; } }
        public int? BranchNumber { get { return Has(0) ? branchNumber : (int?)null; } }
        public int? UpStreamSectionNumber { get { return Has(2) ? upStreamSectionNumber : (int?)null; } }
        public bool? ParserDirectionSameAsUI
        {
            get { return Has(8) ? parserDirectionSameAsUI != 0 : (bool?)null; }
        }
        public double? FirstSectionPosition { get { return Has(9) ? firstSectionPosition : (double?)null; } }
        public double? SecondSectionPosition { get { return Has(10) ? secondSectionPosition : (double?)null; } }

        private bool Has(int bit) { return (answered & (1u << bit)) != 0; }
    }

    /// <summary>A pump link as the IVPumpLink of GetPumpLink answers it.</summary>
    [StructLayout(LayoutKind.Sequential)]
    public struct PumpLinkAnswers
    {
        private int pumpLinkID;
        private int upStreamNodeID;
        private int downStreamNodeID;
        private int upStreamBranchNumber;
        private int downStreamBranchNumber;
        private int upStreamNodeUpSectionNumber;
        private int downStreamNodeUpSectionNumber;

        public int PumpLinkID { get { return pumpLinkID; } }
        public int UpStreamNodeID { get { return upStreamNodeID; } }
        public int DownStreamNodeID { get { return downStreamNodeID; } }
        public int UpStreamBranchNumber { get { return upStreamBranchNumber; } }
        public int DownStreamBranchNumber { get { return downStreamBranchNumber; } }
        public int UpStreamNodeUpSectionNumber { get { return upStreamNodeUpSectionNumber; } }
        public int DownStreamNodeUpSectionNumber { get { return downStreamNodeUpSectionNumber; } }
    }

    // The fixed-size part of a branch as the native interface reads it.
    [StructLayout(LayoutKind.Sequential)]
    internal struct BranchFields
    {
        internal int BranchNumber;
        internal int DownStreamBranchNumber;
        internal int DownStreamUpSectionNumber;
        internal int UpStreamBranchNumber;
        internal int UpStreamUpSectionNumber;
        internal int NumberOfSections;
        internal int IsStorageOutletBranch;
        internal int IsSingleStorageNodeBranch;
        internal int NumberOfNodes;
        internal int NumberOfEdges;
    }

#pragma warning restore 0169, 0649

    /// <summary>A branch or loop branch as the IVBranch of GetBranch or GetLoop answers it,
    /// with all its node and link IDs.</summary>
    public sealed class BranchAnswers
    {
        internal BranchAnswers(BranchFields fields, int[] nodeIDs, int[] edgeIDs)
        {
            BranchNumber = fields.BranchNumber;
            DownStreamBranchNumber = fields.DownStreamBranchNumber;
            DownStreamUpSectionNumber = fields.DownStreamUpSectionNumber;
            UpStreamBranchNumber = fields.UpStreamBranchNumber;
            UpStreamUpSectionNumber = fields.UpStreamUpSectionNumber;
            NumberOfSections = fields.NumberOfSections;
            IsStorageOutletBranch = fields.IsStorageOutletBranch != 0;
            IsSingleStorageNodeBranch = fields.IsSingleStorageNodeBranch != 0;
            NodeIDs = nodeIDs;
            EdgeIDs = edgeIDs;
        }

        public int BranchNumber { get; private set; }
        public int DownStreamBranchNumber { get; private set; }
        public int DownStreamUpSectionNumber { get; private set; }
        public int UpStreamBranchNumber { get; private set; }
        public int UpStreamUpSectionNumber { get; private set; }
        public int NumberOfSections { get; private set; }
        public bool IsStorageOutletBranch { get; private set; }
        public bool IsSingleStorageNodeBranch { get; private set; }
        /// <summary>GetNodeID(0) .. GetNodeID(NumberOfNodes - 1).</summary>
        public int[] NodeIDs { get; private set; }
        /// <summary>GetEdgeID(0) .. GetEdgeID(NumberOfEdges - 1).</summary>
        public int[] EdgeIDs { get; private set; }
    }
}

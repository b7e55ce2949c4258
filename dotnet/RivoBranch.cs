using System;

namespace Velmora.Calculations.Dynamic
{
    // Field codes of the native interface (RIVO_BRANCH_...).
    internal enum BranchField
    {
        BranchNumber = 0,
        DownStreamBranchNumber = 1,
        DownStreamUpSectionNumber = 2,
        UpStreamBranchNumber = 3,
        UpStreamUpSectionNumber = 4,
        NumberOfNodes = 5,
        NumberOfEdges = 6,
        NumberOfSections = 7,
        IsStorageOutletBranch = 8,
        IsSingleStorageNodeBranch = 9,
    }

    /// <summary>A branch or loop branch of a parser's result. It keeps its parser alive and
    /// reads the parser's record on every access, so it always shows the record as it is.</summary>
    public class RivoBranch : IVBranch
    {
        private RivoNetworkParser parser;
        private int list;
        private int index;

        public RivoBranch()
        {
        }

        /// <summary>Points this object at a branch (or, with isLoop, a loop branch) of the
        /// parser, by index. Nothing is checked until a member is read.</summary>
        public virtual void SetBranch(RivoNetworkParser parser, bool isLoop, int index)
        {
            this.parser = parser;
            list = isLoop ? NativeMethods.LoopList : NativeMethods.BranchList;
            this.index = index;
        }

        private RivoNetworkParser Parser
        {
            get
            {
                if (parser == null)
                {
                    throw new InvalidOperationException("The branch has not been set");
                }
                return parser;
            }
        }

        private int Value(BranchField field)
        {
            return Parser.BranchValue(list, index, field);
        }

        public virtual int BranchNumber
        {
            get { return Value(BranchField.BranchNumber); }
        }

        public virtual int DownStreamBranchNumber
        {
            get { return Value(BranchField.DownStreamBranchNumber); }
        }

        public virtual int DownStreamUpSectionNumber
        {
            get { return Value(BranchField.DownStreamUpSectionNumber); }
        }

        public virtual int UpStreamBranchNumber
        {
            get { return Value(BranchField.UpStreamBranchNumber); }
        }

        public virtual int UpStreamUpSectionNumber
        {
            get { return Value(BranchField.UpStreamUpSectionNumber); }
        }

        public virtual int NumberOfNodes
        {
            get { return Value(BranchField.NumberOfNodes); }
        }

        public virtual int NumberOfEdges
        {
            get { return Value(BranchField.NumberOfEdges); }
        }

        public virtual int GetNodeID(int index)
        {
            return Parser.BranchNodeID(list, this.index, index);
        }

        public virtual int GetEdgeID(int index)
        {
            return Parser.BranchEdgeID(list, this.index, index);
        }

        public virtual int NumberOfSections
        {
            get { return Value(BranchField.NumberOfSections); }
        }

        public virtual bool IsStorageOutletBranch
        {
            get { return Value(BranchField.IsStorageOutletBranch) != 0; }
        }

        public virtual bool IsSingleStorageNodeBranch
        {
            get { return Value(BranchField.IsSingleStorageNodeBranch) != 0; }
        }
    }
}

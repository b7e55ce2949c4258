using System;

namespace Velmora.Calculations.Dynamic
{
    // Field codes of the native interface (RIVO_PUMP_...).
    internal enum PumpLinkField
    {
        UpStreamNodeID = 0,
        DownStreamNodeID = 1,
        UpStreamBranchNumber = 2,
        DownStreamBranchNumber = 3,
        UpStreamNodeUpSectionNumber = 4,
        DownStreamNodeUpSectionNumber = 5,
        PumpLinkID = 6,
    }

    /// <summary>A pump link of a parser's result; keeps its parser alive and reads the
    /// parser's record on every access.</summary>
    public class RivoPumpLink : IVPumpLink
    {
        private RivoNetworkParser parser;
        private int index;

        public RivoPumpLink()
        {
        }

        /// <summary>Points this object at the parser's pump link at index.</summary>
        public virtual void SetPumpLink(RivoNetworkParser parser, int index)
        {
            this.parser = parser;
            this.index = index;
        }

        private int Value(PumpLinkField field)
        {
            if (parser == null)
            {
                throw new InvalidOperationException("The pump link has not been set");
            }
            return parser.PumpLinkValue(index, field);
        }

        public virtual int UpStreamNodeID
        {
            get { return Value(PumpLinkField.UpStreamNodeID); }
        }

        public virtual int DownStreamNodeID
        {
            get { return Value(PumpLinkField.DownStreamNodeID); }
        }

        public virtual int UpStreamBranchNumber
        {
            get { return Value(PumpLinkField.UpStreamBranchNumber); }
        }

        public virtual int DownStreamBranchNumber
        {
            get { return Value(PumpLinkField.DownStreamBranchNumber); }
        }

        public virtual int UpStreamNodeUpSectionNumber
        {
            get { return Value(PumpLinkField.UpStreamNodeUpSectionNumber); }
        }

        public virtual int DownStreamNodeUpSectionNumber
        {
            get { return Value(PumpLinkField.DownStreamNodeUpSectionNumber); }
        }

        public virtual int PumpLinkID
        {
            get { return Value(PumpLinkField.PumpLinkID); }
        }
    }
}

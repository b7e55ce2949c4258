using System;
using System.Collections;

namespace Velmora.Calculations.Dynamic
{
    /// <summary>The host's parser: describe the network, parse it once, read the branches.
    /// Every member forwards to the native parser it owns; every error the parser raises
    /// arrives as a COMException whose HResult and Message are the parser's own.</summary>
    /// <example><code>
    /// using (var parser = new RivoNetworkParser())
    /// {
    ///     parser.AddNode(1, 0.0, 0.0, 1);   // an outfall
    ///     parser.AddNode(2, 10.0, 0.0, 0);  // a manhole
    ///     parser.AddEdge(10, 2, 1.0, 1, 0.5, 0.6, 0, 25.0);
    ///     parser.ParseNetwork();
    ///     IVBranch branch = parser.GetBranch(0);
    /// }
    /// </code></example>
    public partial class RivoNetworkParser : IVFLDNetworkParser, IVFLDNetwork, IDisposable
    {
        private readonly ParserHandle handle;
        private ArrayList pumpList;

        public RivoNetworkParser()
        {
            int hr = NativeMethods.rivo_parser_create(out handle);
            if (hr < 0)
            {
                throw Errors.FromHResult(hr, IntPtr.Zero);
            }
        }

        /// <summary>The automatic release, for a parser the host did not dispose.</summary>
        ~RivoNetworkParser()
        {
            Dispose(false);
        }

        /// <summary>Releases the native parser now; a second call does nothing. Branches and
        /// pump links of this parser raise ObjectDisposedException afterwards.</summary>
        public void Dispose()
        {
            Dispose(true);
            GC.SuppressFinalize(this);
        }

        protected virtual void Dispose(bool disposing)
        {
            // The handle is a critical finalizable object: even from the
            // finalizer it is still there to be released, once.
            if (handle != null)
            {
                handle.Dispose();
            }
        }

        // The native parser for one call; the parser object stays reachable
        // while it runs, since Check uses it afterwards.
        internal IntPtr Native
        {
            get
            {
                if (handle == null || handle.IsClosed)
                {
                    throw new ObjectDisposedException(GetType().Name);
                }
                return handle.DangerousGetHandle();
            }
        }

        internal void Check(int hr)
        {
            if (hr < 0)
            {
                throw Errors.FromHResult(hr, Native);
            }
        }

        private static bool Flag(int value)
        {
            return value != 0;
        }

        // IVFLDNetwork

        public virtual void AddNode(int nodeID, double xPosition, double yPosition, short nodeType)
        {
            Check(NativeMethods.rivo_add_node(Native, nodeID, xPosition, yPosition, nodeType));
        }

        public virtual void SetNodeIsPondType(int nodeID, bool isPond)
        {
            Check(NativeMethods.rivo_set_node_is_pond_type(Native, nodeID, isPond ? 1 : 0));
        }

        public virtual void AddEdge(int edgeID, int sourceNodeID, double elevationInSource, int targetNodeID,
            double elevationInTarget, double size, short edgeType, double length)
        {
            Check(NativeMethods.rivo_add_edge(Native, edgeID, sourceNodeID, elevationInSource, targetNodeID,
                elevationInTarget, size, edgeType, length));
        }

        public virtual void AddEdge(int edgeID, int sourceNodeID, double elevationInSource, int targetNodeID,
            double elevationInTarget, double size, short edgeType)
        {
            Check(NativeMethods.rivo_add_edge_default_length(Native, edgeID, sourceNodeID, elevationInSource,
                targetNodeID, elevationInTarget, size, edgeType));
        }

        public virtual void AddPumpLink(int pumpID, int upStreamNodeID, int downStreamNodeID)
        {
            Check(NativeMethods.rivo_add_pump_link(Native, pumpID, upStreamNodeID, downStreamNodeID));
        }

        public virtual void SetNodeStorageType(int nodeId)
        {
            Check(NativeMethods.rivo_set_node_storage_type(Native, nodeId));
        }

        // IVFLDNetworkParser

        public virtual bool ParseNetwork(bool findLongestBranch)
        {
            int result;
            Check(NativeMethods.rivo_parse_network(Native, findLongestBranch ? 1 : 0, out result));
            return Flag(result);
        }

        /// <summary>ParseNetwork(false), through the overridable member.</summary>
        public virtual bool ParseNetwork()
        {
            return ParseNetwork(false);
        }

        public virtual int NumberOfBranches
        {
            get { int v; Check(NativeMethods.rivo_number_of_branches(Native, out v)); return v; }
        }

        public virtual int NumberOfLoops
        {
            get { int v; Check(NativeMethods.rivo_number_of_loops(Native, out v)); return v; }
        }

        /// <summary>A new object over the parser's branch at index; two calls give two objects
        /// over the same branch.</summary>
        public virtual IVBranch GetBranch(int index)
        {
            return WrapBranch(NativeMethods.BranchList, index);
        }

        public virtual IVBranch GetLoop(int index)
        {
            return WrapBranch(NativeMethods.LoopList, index);
        }

        // The lookup comes first, so that a bad index raises before any
        // object is made.
        private RivoBranch WrapBranch(int list, int index)
        {
            BranchValue(list, index, BranchField.BranchNumber);
            var branch = new RivoBranch();
            branch.SetBranch(this, list == NativeMethods.LoopList, index);
            return branch;
        }

        public virtual bool ContainsLoop
        {
            get { int v; Check(NativeMethods.rivo_contains_loop(Native, out v)); return Flag(v); }
        }

        public virtual double GetFirstSectionPosition(int pipeID)
        {
            double v;
            Check(NativeMethods.rivo_get_first_section_position(Native, pipeID, out v));
            return v;
        }

        public virtual double GetSecondSectionPosition(int pipeID)
        {
            double v;
            Check(NativeMethods.rivo_get_second_section_position(Native, pipeID, out v));
            return v;
        }

        public virtual int GetBranchNumberOfPipe(int PipeID)
        {
            int v;
            Check(NativeMethods.rivo_get_branch_number_of_pipe(Native, PipeID, out v));
            return v;
        }

        public virtual void SetFirstSectionPosition(int pipeID, double firstSectionPosition)
        {
            Check(NativeMethods.rivo_set_first_section_position(Native, pipeID, firstSectionPosition));
        }

        public virtual void SetSecondSectionPosition(int pipeID, double secondSectionPosition)
        {
            Check(NativeMethods.rivo_set_second_section_position(Native, pipeID, secondSectionPosition));
        }

        public virtual int GetBranchNumberOfNode(int nodeID)
        {
            int v;
            Check(NativeMethods.rivo_get_branch_number_of_node(Native, nodeID, out v));
            return v;
        }

        public virtual int GetNodeIndexInBranch(int nodeID)
        {
            int v;
            Check(NativeMethods.rivo_get_node_index_in_branch(Native, nodeID, out v));
            return v;
        }

        public virtual int NumberOfPumpLinks
        {
            get { int v; Check(NativeMethods.rivo_number_of_pump_links(Native, out v)); return v; }
        }

        public virtual IVPumpLink GetPumpLink(int index)
        {
            PumpLinkValue(index, PumpLinkField.PumpLinkID);
            var pumpLink = new RivoPumpLink();
            pumpLink.SetPumpLink(this, index);
            return pumpLink;
        }

        public virtual double GetNodeDownStreamSectionPosition(int nodeID)
        {
            double v;
            Check(NativeMethods.rivo_get_node_down_stream_section_position(Native, nodeID, out v));
            return v;
        }

        public virtual void SetNodeDownStreamSectionPosition(int nodeID, double downStreamSectionPosition)
        {
            Check(NativeMethods.rivo_set_node_down_stream_section_position(Native, nodeID,
                downStreamSectionPosition));
        }

        public virtual int GetNodeUpStreamSectionNumber(int nodeID)
        {
            int v;
            Check(NativeMethods.rivo_get_node_up_stream_section_number(Native, nodeID, out v));
            return v;
        }

        public virtual int GetLinkUpStreamSectionNumber(int linkID)
        {
            int v;
            Check(NativeMethods.rivo_get_link_up_stream_section_number(Native, linkID, out v));
            return v;
        }

        public virtual int NumberOfGutters
        {
            get { int v; Check(NativeMethods.rivo_number_of_gutters(Native, out v)); return v; }
        }

        public virtual void AddGutterLinkIDDirection(int gutterID, bool gutterDirectionSameAsUI)
        {
            Check(NativeMethods.rivo_add_gutter_link_id_direction(Native, gutterID,
                gutterDirectionSameAsUI ? 1 : 0));
        }

        public virtual int GetGutterLinkID(int index)
        {
            int v;
            Check(NativeMethods.rivo_get_gutter_link_id(Native, index, out v));
            return v;
        }

        public virtual int NumberOfIsolatedNodes
        {
            get { int v; Check(NativeMethods.rivo_number_of_isolated_nodes(Native, out v)); return v; }
        }

        public virtual int NumberOfIsolatedEdges
        {
            get { int v; Check(NativeMethods.rivo_number_of_isolated_edges(Native, out v)); return v; }
        }

        public virtual int GetIsolatedNodeId(int index)
        {
            int v;
            Check(NativeMethods.rivo_get_isolated_node_id(Native, index, out v));
            return v;
        }

        public virtual int GetIsolatedEdgeId(int index)
        {
            int v;
            Check(NativeMethods.rivo_get_isolated_edge_id(Native, index, out v));
            return v;
        }

        public virtual bool GetParserDirectionSameAsUI(int linkId)
        {
            int v;
            Check(NativeMethods.rivo_get_parser_direction_same_as_ui(Native, linkId, out v));
            return Flag(v);
        }

        public virtual bool GetGutterDirectionSameAsUI(int index)
        {
            int v;
            Check(NativeMethods.rivo_get_gutter_direction_same_as_ui(Native, index, out v));
            return Flag(v);
        }

        public virtual bool GetNodeIsManholeOrStorageType(int nodeId)
        {
            int v;
            Check(NativeMethods.rivo_get_node_is_manhole_or_storage_type(Native, nodeId, out v));
            return Flag(v);
        }

        public virtual bool GetNodeIsOutfallType(int nodeId)
        {
            int v;
            Check(NativeMethods.rivo_get_node_is_outfall_type(Native, nodeId, out v));
            return Flag(v);
        }

        public virtual bool GetNodeIsConvertedToOutfall(int nodeId)
        {
            int v;
            Check(NativeMethods.rivo_get_node_is_converted_to_outfall(Native, nodeId, out v));
            return Flag(v);
        }

        public virtual bool GetNodeIsPump(int nodeId)
        {
            int v;
            Check(NativeMethods.rivo_get_node_is_pump(Native, nodeId, out v));
            return Flag(v);
        }

        public virtual int NumberOfNodes
        {
            get { int v; Check(NativeMethods.rivo_number_of_nodes(Native, out v)); return v; }
        }

        public virtual int NumberOfLinks
        {
            get { int v; Check(NativeMethods.rivo_number_of_links(Native, out v)); return v; }
        }

        /// <summary>An empty list made on the first read and the same list on every read after;
        /// the parser never reads or fills it.</summary>
        public virtual ArrayList PumpList
        {
            get
            {
                if (pumpList == null)
                {
                    pumpList = new ArrayList();
                }
                return pumpList;
            }
        }

        public virtual int NumberOfRemovedOutfalls
        {
            get { int v; Check(NativeMethods.rivo_number_of_removed_outfalls(Native, out v)); return v; }
        }

        public virtual int GetRemovedOutfallID(int index)
        {
            int v;
            Check(NativeMethods.rivo_get_removed_outfall_id(Native, index, out v));
            return v;
        }

        // The fields of branches and pump links, read by index on every access.

        internal int BranchValue(int list, int index, BranchField field)
        {
            int v;
            Check(NativeMethods.rivo_branch_value(Native, list, index, (int)field, out v));
            return v;
        }

        internal int BranchNodeID(int list, int index, int nodeIndex)
        {
            int v;
            Check(NativeMethods.rivo_branch_node_id(Native, list, index, nodeIndex, out v));
            return v;
        }

        internal int BranchEdgeID(int list, int index, int edgeIndex)
        {
            int v;
            Check(NativeMethods.rivo_branch_edge_id(Native, list, index, edgeIndex, out v));
            return v;
        }

        internal int PumpLinkValue(int index, PumpLinkField field)
        {
            int v;
            Check(NativeMethods.rivo_pump_link_value(Native, index, (int)field, out v));
            return v;
        }
    }
}

using System;
using System.Runtime.InteropServices;

namespace Velmora.Calculations.Dynamic
{
    // The C interface of the native library (rivo/rivo_c.h). Every argument
    // is blittable, so a call copies nothing: IDs and counts as int,
    // booleans as int (0 or 1), arrays pinned where they are.
    internal static class NativeMethods
    {
        // librivo.so on Linux, rivo.dll on Windows.
        private const string Library = "rivo";

        internal const int BranchList = 0;
        internal const int LoopList = 1;

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_parser_create(out ParserHandle parser);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern void rivo_parser_release(IntPtr parser);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern IntPtr rivo_last_error_message_utf16(IntPtr parser);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_node(IntPtr p, int nodeID, double xPosition, double yPosition, short nodeType);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_set_node_is_pond_type(IntPtr p, int nodeID, int isPond);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_edge(IntPtr p, int edgeID, int sourceNodeID, double elevationInSource,
            int targetNodeID, double elevationInTarget, double size, short edgeType, double length);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_edge_default_length(IntPtr p, int edgeID, int sourceNodeID,
            double elevationInSource, int targetNodeID, double elevationInTarget, double size, short edgeType);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_pump_link(IntPtr p, int pumpID, int upStreamNodeID, int downStreamNodeID);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_set_node_storage_type(IntPtr p, int nodeId);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_gutter_link_id_direction(IntPtr p, int gutterID, int sameAsUI);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_nodes(IntPtr p, int count, int[] nodeIDs, double[] xPositions,
            double[] yPositions, short[] nodeTypes, out int added);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_edges(IntPtr p, int count, int[] edgeIDs, int[] sourceNodeIDs,
            double[] elevationsInSource, int[] targetNodeIDs, double[] elevationsInTarget, double[] sizes,
            short[] edgeTypes, double[] lengths, out int added);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_add_pump_links(IntPtr p, int count, int[] pumpIDs, int[] upStreamNodeIDs,
            int[] downStreamNodeIDs, out int added);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_parse_network(IntPtr p, int findLongestBranch, out int result);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_branches(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_loops(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_contains_loop(IntPtr p, out int containsLoop);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_pump_links(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_gutters(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_isolated_nodes(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_isolated_edges(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_nodes(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_links(IntPtr p, out int count);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_number_of_removed_outfalls(IntPtr p, out int count);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_first_section_position(IntPtr p, int pipeID, out double position);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_second_section_position(IntPtr p, int pipeID, out double position);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_set_first_section_position(IntPtr p, int pipeID, double position);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_set_second_section_position(IntPtr p, int pipeID, double position);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_branch_number_of_pipe(IntPtr p, int pipeID, out int branchNumber);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_link_up_stream_section_number(IntPtr p, int linkID, out int section);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_parser_direction_same_as_ui(IntPtr p, int linkId, out int same);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_branch_number_of_node(IntPtr p, int nodeID, out int branchNumber);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_index_in_branch(IntPtr p, int nodeID, out int index);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_down_stream_section_position(IntPtr p, int nodeID, out double position);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_set_node_down_stream_section_position(IntPtr p, int nodeID, double position);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_up_stream_section_number(IntPtr p, int nodeID, out int section);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_is_manhole_or_storage_type(IntPtr p, int nodeId, out int value);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_is_outfall_type(IntPtr p, int nodeId, out int value);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_is_converted_to_outfall(IntPtr p, int nodeId, out int value);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_node_is_pump(IntPtr p, int nodeId, out int value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_gutter_link_id(IntPtr p, int index, out int id);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_gutter_direction_same_as_ui(IntPtr p, int index, out int same);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_isolated_node_id(IntPtr p, int index, out int id);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_isolated_edge_id(IntPtr p, int index, out int id);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_get_removed_outfall_id(IntPtr p, int index, out int id);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_branch_value(IntPtr p, int list, int index, int field, out int value);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_branch_node_id(IntPtr p, int list, int index, int nodeIndex, out int id);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_branch_edge_id(IntPtr p, int list, int index, int edgeIndex, out int id);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_pump_link_value(IntPtr p, int index, int field, out int value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_nodes(IntPtr p, int count, int[] nodeIDs, [Out] NodeAnswers[] answers);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_links(IntPtr p, int count, int[] linkIDs, [Out] LinkAnswers[] answers);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_nodes_at(IntPtr p, int first, int count, [Out] NodeAnswers[] answers,
            out int read);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_links_at(IntPtr p, int first, int count, [Out] LinkAnswers[] answers,
            out int read);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_branches(IntPtr p, int list, int first, int count,
            [Out] BranchFields[] answers, out int read);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_branch_ids(IntPtr p, int list, int first, int count,
            [Out] int[] nodeIDs, long nodeCapacity, [Out] int[] edgeIDs, long edgeCapacity);
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
        internal static extern int rivo_read_pump_links(IntPtr p, int first, int count,
            [Out] PumpLinkAnswers[] answers, out int read);
    }
}

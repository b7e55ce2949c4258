using System;
using System.Collections.Generic;
using System.Linq;
using System.Runtime.InteropServices;
using System.Text;
using Velmora.Calculations.Dynamic;

namespace Rivo.Tests
{
    // The result document the tool writes, made from what a parser answers:
    // once through the one-by-one members (the façade objects and queries)
    // and once through the bulk reads.
    public static class ResultDocument
    {
        public static string OneByOne(RivoNetworkParser p, bool result, NetworkDocument network)
        {
            var text = Head(p, result,
                Enumerable.Range(0, p.NumberOfBranches).Select(i => Branch(p.GetBranch(i))),
                Enumerable.Range(0, p.NumberOfLoops).Select(i => Branch(p.GetLoop(i))),
                Enumerable.Range(0, p.NumberOfPumpLinks).Select(i => Pump(p.GetPumpLink(i))));
            // Each query as the tool makes it, in the order of the fields:
            // a query may depend on what an earlier one wrote for the node.
            Lines(text, "nodes", network.NodeIDs.Select(id => Fields(NodeFields, id,
                Ask(() => p.GetBranchNumberOfNode(id)), Ask(() => p.GetNodeIndexInBranch(id)),
                Ask(() => p.GetNodeUpStreamSectionNumber(id)), Ask(() => p.GetNodeIsOutfallType(id)),
                Ask(() => p.GetNodeIsConvertedToOutfall(id)), Ask(() => p.GetNodeIsPump(id)),
                Ask(() => p.GetNodeIsManholeOrStorageType(id)))), ",");
            Lines(text, "links", network.LinkIDs.Select(id => Fields(LinkFields, id,
                Ask(() => p.GetBranchNumberOfPipe(id)), Ask(() => p.GetLinkUpStreamSectionNumber(id)),
                Ask(() => p.GetParserDirectionSameAsUI(id)))), "");
            return text.Append("}\n").ToString();
        }

        public static string InBulk(RivoNetworkParser p, bool result, NetworkDocument network)
        {
            var text = Head(p, result, p.ReadBranches().Select(Branch), p.ReadLoops().Select(Branch),
                p.ReadPumpLinks().Select(Pump));
            Lines(text, "nodes", p.ReadNodes(network.NodeIDs).Select(n => Fields(NodeFields, n.ID, n.BranchNumber,
                n.IndexInBranch, n.UpStreamSectionNumber, n.IsOutfallType, n.IsConvertedToOutfall, n.IsPump,
                n.IsManholeOrStorageType)), ",");
            Lines(text, "links", p.ReadLinks(network.LinkIDs).Select(l => Fields(LinkFields, l.ID, l.BranchNumber,
                l.UpStreamSectionNumber, l.ParserDirectionSameAsUI)), "");
            return text.Append("}\n").ToString();
        }

        // The error document of a parse that raised; the parser's messages
        // hold no control character but the line break.
        public static string Error(Exception e)
        {
            string message = e.Message.Replace("\\", "\\\\").Replace("\"", "\\\"").Replace("\n", "\\n");
            return "{\n  \"result\": null,\n  \"error\": {\"hresult\": \"0x" + e.HResult.ToString("x8") +
                   "\", \"message\": \"" + message + "\"}\n}\n";
        }

        private static StringBuilder Head(RivoNetworkParser p, bool result, IEnumerable<string> branches,
            IEnumerable<string> loops, IEnumerable<string> pumps)
        {
            var text = new StringBuilder("{\n");
            text.Append("  \"result\": ").Append(Value(result)).Append(",\n");
            text.Append("  \"numberOfNodes\": ").Append(p.NumberOfNodes).Append(",\n");
            text.Append("  \"numberOfLinks\": ").Append(p.NumberOfLinks).Append(",\n");
            text.Append("  \"containsLoop\": ").Append(Value(p.ContainsLoop)).Append(",\n");
            Lines(text, "branches", branches, ",");
            Lines(text, "loops", loops, ",");
            Lines(text, "pumpLinks", pumps, ",");
            Lines(text, "gutters", Enumerable.Range(0, p.NumberOfGutters).Select(i => Line(
                Field("id", p.GetGutterLinkID(i)), Field("sameDirectionAsUI", p.GetGutterDirectionSameAsUI(i)))), ",");
            IdList(text, "isolatedNodeIDs", Enumerable.Range(0, p.NumberOfIsolatedNodes).Select(p.GetIsolatedNodeId));
            IdList(text, "isolatedEdgeIDs", Enumerable.Range(0, p.NumberOfIsolatedEdges).Select(p.GetIsolatedEdgeId));
            IdList(text, "removedOutfallIDs",
                Enumerable.Range(0, p.NumberOfRemovedOutfalls).Select(p.GetRemovedOutfallID));
            return text;
        }

        private static readonly string[] NodeFields = { "id", "branchNumber", "indexInBranch",
            "upStreamSectionNumber", "isOutfallType", "isConvertedToOutfall", "isPump", "isManholeOrStorageType" };
        private static readonly string[] LinkFields =
            { "id", "branchNumber", "upStreamSectionNumber", "parserDirectionSameAsUI" };
        private static readonly string[] BranchFields = { "branchNumber", "downStreamBranchNumber",
            "downStreamUpSectionNumber", "upStreamBranchNumber", "upStreamUpSectionNumber", "numberOfSections",
            "isStorageOutletBranch", "isSingleStorageNodeBranch", "nodeIDs", "edgeIDs" };
        private static readonly string[] PumpFields = { "pumpLinkID", "upStreamNodeID", "downStreamNodeID",
            "upStreamBranchNumber", "downStreamBranchNumber", "upStreamNodeUpSectionNumber",
            "downStreamNodeUpSectionNumber" };

        private static string Branch(IVBranch b)
        {
            return Fields(BranchFields, b.BranchNumber, b.DownStreamBranchNumber, b.DownStreamUpSectionNumber,
                b.UpStreamBranchNumber, b.UpStreamUpSectionNumber, b.NumberOfSections, b.IsStorageOutletBranch,
                b.IsSingleStorageNodeBranch, Ids(Enumerable.Range(0, b.NumberOfNodes).Select(b.GetNodeID)),
                Ids(Enumerable.Range(0, b.NumberOfEdges).Select(b.GetEdgeID)));
        }

        private static string Branch(BranchAnswers b)
        {
            return Fields(BranchFields, b.BranchNumber, b.DownStreamBranchNumber, b.DownStreamUpSectionNumber,
                b.UpStreamBranchNumber, b.UpStreamUpSectionNumber, b.NumberOfSections, b.IsStorageOutletBranch,
                b.IsSingleStorageNodeBranch, Ids(b.NodeIDs), Ids(b.EdgeIDs));
        }

        private static string Pump(IVPumpLink q)
        {
            return Fields(PumpFields, q.PumpLinkID, q.UpStreamNodeID, q.DownStreamNodeID, q.UpStreamBranchNumber,
                q.DownStreamBranchNumber, q.UpStreamNodeUpSectionNumber, q.DownStreamNodeUpSectionNumber);
        }

        private static string Pump(PumpLinkAnswers q)
        {
            return Fields(PumpFields, q.PumpLinkID, q.UpStreamNodeID, q.DownStreamNodeID, q.UpStreamBranchNumber,
                q.DownStreamBranchNumber, q.UpStreamNodeUpSectionNumber, q.DownStreamNodeUpSectionNumber);
        }

        // A record of the document: each name with its value.
        private static string Fields(string[] names, params object[] values)
        {
            return Line(names.Zip(values, Field).ToArray());
        }

        // The answer of a query, or null where it raises as the parser raises.
        private static object Ask<T>(Func<T> query)
        {
            try
            {
                return query();
            }
            catch (COMException)
            {
                return null;
            }
        }

        private static void Lines(StringBuilder text, string key, IEnumerable<string> lines, string after)
        {
            string joined = string.Join(",\n    ", lines);
            text.Append("  \"").Append(key).Append("\": [")
                .Append(joined.Length == 0 ? "]" : "\n    " + joined + "\n  ]").Append(after).Append('\n');
        }

        private static void IdList(StringBuilder text, string key, IEnumerable<int> ids)
        {
            text.Append("  \"").Append(key).Append("\": ").Append(Ids(ids)).Append(",\n");
        }

        private static string Line(params string[] fields)
        {
            return "{" + string.Join(", ", fields) + "}";
        }

        private static string Field(string key, object value)
        {
            return "\"" + key + "\": " + Value(value);
        }

        private static string Value(object value)
        {
            return value == null ? "null"
                : value is bool ? ((bool)value ? "true" : "false")
                : Convert.ToString(value, System.Globalization.CultureInfo.InvariantCulture);
        }

        private static string Ids(IEnumerable<int> ids)
        {
            return "[" + string.Join(", ", ids) + "]";
        }
    }
}

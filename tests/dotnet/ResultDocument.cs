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
            Lines(text, "nodes", network.NodeIDs.Select(id => Line(
                Field("id", id), Field("branchNumber", Ask(() => p.GetBranchNumberOfNode(id))),
                Field("indexInBranch", Ask(() => p.GetNodeIndexInBranch(id))),
                Field("upStreamSectionNumber", Ask(() => p.GetNodeUpStreamSectionNumber(id))),
                Field("isOutfallType", Ask(() => p.GetNodeIsOutfallType(id))),
                Field("isConvertedToOutfall", Ask(() => p.GetNodeIsConvertedToOutfall(id))),
                Field("isPump", Ask(() => p.GetNodeIsPump(id))),
                Field("isManholeOrStorageType", Ask(() => p.GetNodeIsManholeOrStorageType(id))))), ",");
            Lines(text, "links", network.LinkIDs.Select(id => Line(
                Field("id", id), Field("branchNumber", Ask(() => p.GetBranchNumberOfPipe(id))),
                Field("upStreamSectionNumber", Ask(() => p.GetLinkUpStreamSectionNumber(id))),
                Field("parserDirectionSameAsUI", Ask(() => p.GetParserDirectionSameAsUI(id))))), "");
            return text.Append("}\n").ToString();
        }

        public static string InBulk(RivoNetworkParser p, bool result, NetworkDocument network)
        {
            var text = Head(p, result, p.ReadBranches().Select(Branch), p.ReadLoops().Select(Branch),
                p.ReadPumpLinks().Select(Pump));
            Lines(text, "nodes", p.ReadNodes(network.NodeIDs).Select(n => Line(
                Field("id", n.ID), Field("branchNumber", n.BranchNumber), Field("indexInBranch", n.IndexInBranch),
                Field("upStreamSectionNumber", n.UpStreamSectionNumber), Field("isOutfallType", n.IsOutfallType),
                Field("isConvertedToOutfall", n.IsConvertedToOutfall), Field("isPump", n.IsPump),
                Field("isManholeOrStorageType", n.IsManholeOrStorageType))), ",");
            Lines(text, "links", p.ReadLinks(network.LinkIDs).Select(l => Line(
                Field("id", l.ID), Field("branchNumber", l.BranchNumber),
                Field("upStreamSectionNumber", l.UpStreamSectionNumber),
                Field("parserDirectionSameAsUI", l.ParserDirectionSameAsUI))), "");
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

        private static string Branch(IVBranch b)
        {
            return Branch(b.BranchNumber, b.DownStreamBranchNumber, b.DownStreamUpSectionNumber,
                b.UpStreamBranchNumber, b.UpStreamUpSectionNumber, b.NumberOfSections, b.IsStorageOutletBranch,
                b.IsSingleStorageNodeBranch, Enumerable.Range(0, b.NumberOfNodes).Select(b.GetNodeID),
                Enumerable.Range(0, b.NumberOfEdges).Select(b.GetEdgeID));
        }

        private static string Branch(BranchAnswers b)
        {
            return Branch(b.BranchNumber, b.DownStreamBranchNumber, b.DownStreamUpSectionNumber,
                b.UpStreamBranchNumber, b.UpStreamUpSectionNumber, b.NumberOfSections, b.IsStorageOutletBranch,
                b.IsSingleStorageNodeBranch, b.NodeIDs, b.EdgeIDs);
        }

        private static string Branch(int number, int down, int downUp, int up, int upUp, int sections,
            bool storageOutlet, bool singleStorage, IEnumerable<int> nodes, IEnumerable<int> edges)
        {
            return Line(Field("branchNumber", number), Field("downStreamBranchNumber", down),
                Field("downStreamUpSectionNumber", downUp), Field("upStreamBranchNumber", up),
                Field("upStreamUpSectionNumber", upUp), Field("numberOfSections", sections),
                Field("isStorageOutletBranch", storageOutlet), Field("isSingleStorageNodeBranch", singleStorage),
                Field("nodeIDs", Ids(nodes)), Field("edgeIDs", Ids(edges)));
        }

        private static string Pump(IVPumpLink q)
        {
            return Pump(q.PumpLinkID, q.UpStreamNodeID, q.DownStreamNodeID, q.UpStreamBranchNumber,
                q.DownStreamBranchNumber, q.UpStreamNodeUpSectionNumber, q.DownStreamNodeUpSectionNumber);
        }

        private static string Pump(PumpLinkAnswers q)
        {
            return Pump(q.PumpLinkID, q.UpStreamNodeID, q.DownStreamNodeID, q.UpStreamBranchNumber,
                q.DownStreamBranchNumber, q.UpStreamNodeUpSectionNumber, q.DownStreamNodeUpSectionNumber);
        }

        private static string Pump(int id, int up, int down, int upBranch, int downBranch, int upSection,
            int downSection)
        {
            return Line(Field("pumpLinkID", id), Field("upStreamNodeID", up), Field("downStreamNodeID", down),
                Field("upStreamBranchNumber", upBranch), Field("downStreamBranchNumber", downBranch),
                Field("upStreamNodeUpSectionNumber", upSection), Field("downStreamNodeUpSectionNumber", downSection));
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
            text.Append("  \"").Append(key).Append("\": [");
            string separator = "\n    ";
            bool any = false;
            foreach (string line in lines)
            {
                text.Append(separator).Append(line);
                separator = ",\n    ";
                any = true;
            }
            text.Append(any ? "\n  ]" : "]").Append(after).Append('\n');
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
            if (value == null)
            {
                return "null";
            }
            if (value is bool)
            {
                return (bool)value ? "true" : "false";
            }
            return value is string ? (string)value : Convert.ToString(value, System.Globalization.CultureInfo.InvariantCulture);
        }

        private static string Ids(IEnumerable<int> ids)
        {
            return "[" + string.Join(", ", ids) + "]";
        }
    }
}

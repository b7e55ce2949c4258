using System;

namespace Velmora.Calculations.Dynamic
{
    // Bulk forms for large networks: one call across to the native parser
    // for a whole array, which then makes the one-by-one calls itself. When
    // the parser refuses an element, the elements before it stay added and
    // the exception's Data["Index"] is the refused element's index.
    public partial class RivoNetworkParser
    {
        /// <summary>AddNode for every element, in order.</summary>
        public virtual void AddNodes(int[] nodeIDs, double[] xPositions, double[] yPositions, short[] nodeTypes)
        {
            Errors.CheckLengths(nodeIDs == null ? 0 : nodeIDs.Length, nodeIDs, xPositions, yPositions, nodeTypes);
            int added;
            int hr = NativeMethods.rivo_add_nodes(Native, nodeIDs.Length, nodeIDs, xPositions, yPositions,
                nodeTypes, out added);
            CheckBulk(hr, added);
        }

        /// <summary>AddEdge for every element, in order; with lengths null, every link gets the
        /// parser's length as the seven-argument AddEdge gives it.</summary>
        public virtual void AddEdges(int[] edgeIDs, int[] sourceNodeIDs, double[] elevationsInSource,
            int[] targetNodeIDs, double[] elevationsInTarget, double[] sizes, short[] edgeTypes, double[] lengths)
        {
            int count = edgeIDs == null ? 0 : edgeIDs.Length;
            Errors.CheckLengths(count, edgeIDs, sourceNodeIDs, elevationsInSource, targetNodeIDs,
                elevationsInTarget, sizes, edgeTypes);
            if (lengths != null)
            {
                Errors.CheckLengths(count, lengths);
            }
            int added;
            int hr = NativeMethods.rivo_add_edges(Native, count, edgeIDs, sourceNodeIDs, elevationsInSource,
                targetNodeIDs, elevationsInTarget, sizes, edgeTypes, lengths, out added);
            CheckBulk(hr, added);
        }

        /// <summary>AddPumpLink for every element, in order.</summary>
        public virtual void AddPumpLinks(int[] pumpIDs, int[] upStreamNodeIDs, int[] downStreamNodeIDs)
        {
            Errors.CheckLengths(pumpIDs == null ? 0 : pumpIDs.Length, pumpIDs, upStreamNodeIDs, downStreamNodeIDs);
            int added;
            int hr = NativeMethods.rivo_add_pump_links(Native, pumpIDs.Length, pumpIDs, upStreamNodeIDs,
                downStreamNodeIDs, out added);
            CheckBulk(hr, added);
        }

        private void CheckBulk(int hr, int added)
        {
            if (hr < 0)
            {
                throw Errors.FromBulk(hr, Native, added);
            }
        }

        /// <summary>The node answers for these IDs, in this order. Raises nothing for an
        /// unknown ID or a node on no branch: those answers are null.</summary>
        public virtual NodeAnswers[] ReadNodes(int[] nodeIDs)
        {
            return ReadByID<NodeAnswers>(nodeIDs, NativeMethods.rivo_read_nodes);
        }

        /// <summary>The node answers for the nodes at positions first .. first+count-1 in the
        /// order they were added, as far as there are nodes there.</summary>
        public virtual NodeAnswers[] ReadNodes(int first, int count)
        {
            return ReadAt<NodeAnswers>(first, count, NumberOfNodes, NativeMethods.rivo_read_nodes_at);
        }

        /// <summary>The link answers for these IDs, in this order.</summary>
        public virtual LinkAnswers[] ReadLinks(int[] linkIDs)
        {
            return ReadByID<LinkAnswers>(linkIDs, NativeMethods.rivo_read_links);
        }

        /// <summary>The link answers for the links at positions first .. first+count-1.</summary>
        public virtual LinkAnswers[] ReadLinks(int first, int count)
        {
            return ReadAt<LinkAnswers>(first, count, NumberOfLinks, NativeMethods.rivo_read_links_at);
        }

        private delegate int NativeReadByID<T>(IntPtr p, int count, int[] ids, T[] answers);
        private delegate int NativeReadAt<T>(IntPtr p, int first, int count, T[] answers, out int read);

        private T[] ReadByID<T>(int[] ids, NativeReadByID<T> read)
        {
            Errors.CheckLengths(ids == null ? 0 : ids.Length, ids);
            var answers = new T[ids.Length];
            Check(read(Native, ids.Length, ids, answers));
            return answers;
        }

        // Positions first .. first+count-1 of `total`, as far as they exist.
        private T[] ReadAt<T>(int first, int count, int total, NativeReadAt<T> read)
        {
            var answers = new T[Math.Max(0, Math.Min(count, total - first))];
            int done;
            Check(read(Native, first, answers.Length, answers, out done));
            return answers;
        }

        /// <summary>Every branch, in index order.</summary>
        public virtual BranchAnswers[] ReadBranches()
        {
            return ReadBranchList(NativeMethods.BranchList, NumberOfBranches);
        }

        /// <summary>Every loop branch, in index order.</summary>
        public virtual BranchAnswers[] ReadLoops()
        {
            return ReadBranchList(NativeMethods.LoopList, NumberOfLoops);
        }

        private BranchAnswers[] ReadBranchList(int list, int count)
        {
            var fields = new BranchFields[count];
            int read;
            Check(NativeMethods.rivo_read_branches(Native, list, 0, count, fields, out read));
            long nodes = 0, edges = 0;
            foreach (BranchFields f in fields)
            {
                nodes += f.NumberOfNodes;
                edges += f.NumberOfEdges;
            }
            var nodeIDs = new int[nodes];
            var edgeIDs = new int[edges];
            Check(NativeMethods.rivo_read_branch_ids(Native, list, 0, count, nodeIDs, nodes, edgeIDs, edges));
            var branches = new BranchAnswers[count];
            int nodeAt = 0, edgeAt = 0;
            for (int i = 0; i < count; ++i)
            {
                branches[i] = new BranchAnswers(fields[i], Slice(nodeIDs, ref nodeAt, fields[i].NumberOfNodes),
                    Slice(edgeIDs, ref edgeAt, fields[i].NumberOfEdges));
            }
            return branches;
        }

        private static int[] Slice(int[] all, ref int at, int length)
        {
            var part = new int[length];
            Array.Copy(all, at, part, 0, length);
            at += length;
            return part;
        }

        /// <summary>Every pump link, in index order.</summary>
        public virtual PumpLinkAnswers[] ReadPumpLinks()
        {
            return ReadAt<PumpLinkAnswers>(0, NumberOfPumpLinks, NumberOfPumpLinks,
                NativeMethods.rivo_read_pump_links);
        }
    }
}

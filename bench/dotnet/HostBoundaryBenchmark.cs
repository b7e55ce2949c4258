// What a .NET host pays to cross into the parser: feeding and parsing a
// network through the assembly's bulk methods and call by call, and the cost
// of one query call, one by one and in bulk. The network comes as columns
// from rivo_host_boundary_bench, which prints the same for the C++ and C hosts:
//
//     rivo_host_boundary_bench realistic 1e6 network.columns
//     LD_LIBRARY_PATH=build/release/src mono build/release/dotnet/HostBoundaryBenchmark.exe network.columns

using System;
using System.Diagnostics;
using System.IO;
using System.Linq;
using Velmora.Calculations.Dynamic;

internal sealed class Network
{
    public int[] NodeIDs, LinkIDs, Sources, Targets, PumpIDs, PumpUps, PumpDowns, GutterIDs;
    public double[] Xs, Ys, SourceElevations, TargetElevations, Sizes, Lengths;
    public short[] NodeTypes, LinkTypes;
    public sbyte[] Ponds, Storage, GutterDirections;

    public static Network Read(string path)
    {
        using (var reader = new BinaryReader(File.OpenRead(path)))
        {
            if (new string(reader.ReadChars(8)) != "RIVOCOL1")
            {
                throw new InvalidDataException(path + " is no network in columns");
            }
            int nodes = reader.ReadInt32(), links = reader.ReadInt32(), pumps = reader.ReadInt32();
            int gutters = reader.ReadInt32();
            var n = new Network();
            n.NodeIDs = Read<int>(reader, nodes);
            n.Xs = Read<double>(reader, nodes);
            n.Ys = Read<double>(reader, nodes);
            n.NodeTypes = Read<short>(reader, nodes);
            n.Ponds = Read<sbyte>(reader, nodes);
            n.Storage = Read<sbyte>(reader, nodes);
            n.LinkIDs = Read<int>(reader, links);
            n.Sources = Read<int>(reader, links);
            n.Targets = Read<int>(reader, links);
            n.SourceElevations = Read<double>(reader, links);
            n.TargetElevations = Read<double>(reader, links);
            n.Sizes = Read<double>(reader, links);
            n.LinkTypes = Read<short>(reader, links);
            // An absent length is the parser's own, 1.0.
            n.Lengths = Read<double>(reader, links).Select(l => double.IsNaN(l) ? 1.0 : l).ToArray();
            n.PumpIDs = Read<int>(reader, pumps);
            n.PumpUps = Read<int>(reader, pumps);
            n.PumpDowns = Read<int>(reader, pumps);
            n.GutterIDs = Read<int>(reader, gutters);
            n.GutterDirections = Read<sbyte>(reader, gutters);
            return n;
        }
    }

    private static T[] Read<T>(BinaryReader reader, int count) where T : struct
    {
        var values = new T[count];
        int size = System.Runtime.InteropServices.Marshal.SizeOf(typeof(T));
        Buffer.BlockCopy(reader.ReadBytes(count * size), 0, values, 0, count * size);
        return values;
    }

    public void FeedRest(RivoNetworkParser p)
    {
        for (int i = 0; i < NodeIDs.Length; ++i)
        {
            if (Ponds[i] >= 0)
            {
                p.SetNodeIsPondType(NodeIDs[i], Ponds[i] != 0);
            }
            if (Storage[i] != 0)
            {
                p.SetNodeStorageType(NodeIDs[i]);
            }
        }
    }

    public void FeedInBulk(RivoNetworkParser p)
    {
        p.AddNodes(NodeIDs, Xs, Ys, NodeTypes);
        FeedRest(p);
        p.AddEdges(LinkIDs, Sources, SourceElevations, Targets, TargetElevations, Sizes, LinkTypes, Lengths);
        p.AddPumpLinks(PumpIDs, PumpUps, PumpDowns);
        FeedGutters(p);
    }

    public void FeedOneByOne(RivoNetworkParser p)
    {
        for (int i = 0; i < NodeIDs.Length; ++i)
        {
            p.AddNode(NodeIDs[i], Xs[i], Ys[i], NodeTypes[i]);
        }
        FeedRest(p);
        for (int i = 0; i < LinkIDs.Length; ++i)
        {
            p.AddEdge(LinkIDs[i], Sources[i], SourceElevations[i], Targets[i], TargetElevations[i], Sizes[i],
                LinkTypes[i], Lengths[i]);
        }
        for (int i = 0; i < PumpIDs.Length; ++i)
        {
            p.AddPumpLink(PumpIDs[i], PumpUps[i], PumpDowns[i]);
        }
        FeedGutters(p);
    }

    private void FeedGutters(RivoNetworkParser p)
    {
        for (int i = 0; i < GutterIDs.Length; ++i)
        {
            p.AddGutterLinkIDDirection(GutterIDs[i], GutterDirections[i] != 0);
        }
    }
}

internal static class HostBoundaryBenchmark
{
    private static double Best(int repeats, Action<RivoNetworkParser> prepare, Action<RivoNetworkParser> work)
    {
        double best = double.PositiveInfinity;
        for (int i = 0; i < repeats; ++i)
        {
            using (var parser = new RivoNetworkParser())
            {
                prepare(parser);
                GC.Collect();
                var clock = Stopwatch.StartNew();
                work(parser);
                best = Math.Min(best, clock.Elapsed.TotalSeconds);
            }
        }
        return best;
    }

    private static void Row(string what, double seconds, int calls)
    {
        Console.WriteLine("| {0} | {1:F3} | {2:F1} |", what, seconds, seconds * 1e9 / calls);
    }

    private static int Main(string[] arguments)
    {
        if (arguments.Length < 1)
        {
            Console.Error.WriteLine("usage: HostBoundaryBenchmark.exe NETWORK.columns [REPEATS]");
            return 2;
        }
        Network n = Network.Read(arguments[0]);
        int repeats = arguments.Length > 1 ? int.Parse(arguments[1]) : 3;
        int count = n.NodeIDs.Length;
        Action<RivoNetworkParser> nothing = p => { };
        Console.WriteLine("| .NET host, {0} nodes (best of {1}) | s | ns per node |\n|---|--:|--:|", count, repeats);
        Row(".NET bulk methods: feed + parse", Best(repeats, nothing, p => { n.FeedInBulk(p); p.ParseNetwork(); }),
            count);
        Row(".NET one by one: feed + parse", Best(repeats, nothing, p => { n.FeedOneByOne(p); p.ParseNetwork(); }),
            count);

        Action<RivoNetworkParser> parsed = p => { n.FeedInBulk(p); p.ParseNetwork(); };
        long sink = 0;
        Console.WriteLine("\n| one query per node | s | ns per call |\n|---|--:|--:|");
        Row(".NET GetNodeUpStreamSectionNumber", Best(repeats, parsed, p =>
        {
            foreach (int id in n.NodeIDs)
            {
                sink += p.GetNodeUpStreamSectionNumber(id);
            }
        }), count);
        Row(".NET ReadNodes (every node query, per node)", Best(repeats, parsed, p => sink += p.ReadNodes(n.NodeIDs).Length),
            count);
        Row(".NET NumberOfNodes (a call that does nothing)", Best(repeats, parsed, p =>
        {
            for (int i = 0; i < count; ++i)
            {
                sink += p.NumberOfNodes;
            }
        }), count);
        return sink == -1 ? 1 : 0;
    }
}

using System.IO;
using System.Linq;
using System.Runtime.Serialization;
using System.Runtime.Serialization.Json;
using Velmora.Calculations.Dynamic;

namespace Rivo.Tests
{
    // A network document as the tool reads it, and its feeding to a parser
    // in the tool's order, call by call or through the bulk methods.
    [DataContract]
    public class NetworkDocument
    {
        [DataContract]
        public class Node
        {
            [DataMember(Name = "id")] public int Id;
            [DataMember(Name = "x")] public double X;
            [DataMember(Name = "y")] public double Y;
            [DataMember(Name = "type")] public short Type;
            [DataMember(Name = "pond")] public bool? Pond;
            [DataMember(Name = "storage")] public bool? Storage;
        }

        [DataContract]
        public class Link
        {
            [DataMember(Name = "id")] public int Id;
            [DataMember(Name = "source")] public int Source;
            [DataMember(Name = "target")] public int Target;
            [DataMember(Name = "sourceElevation")] public double SourceElevation;
            [DataMember(Name = "targetElevation")] public double TargetElevation;
            [DataMember(Name = "size")] public double Size;
            [DataMember(Name = "type")] public short Type;
            [DataMember(Name = "length")] public double? Length;
        }

        [DataContract]
        public class PumpLink
        {
            [DataMember(Name = "id")] public int Id;
            [DataMember(Name = "upstream")] public int Upstream;
            [DataMember(Name = "downstream")] public int Downstream;
        }

        [DataContract]
        public class Gutter
        {
            [DataMember(Name = "id")] public int Id;
            [DataMember(Name = "sameDirectionAsUI")] public bool SameDirectionAsUI;
        }

        [DataMember(Name = "nodes")] public Node[] Nodes = new Node[0];
        [DataMember(Name = "links")] public Link[] Links = new Link[0];
        [DataMember(Name = "pumpLinks")] public PumpLink[] PumpLinks = new PumpLink[0];
        [DataMember(Name = "gutters")] public Gutter[] Gutters = new Gutter[0];

        public static NetworkDocument Read(string path)
        {
            using (FileStream file = File.OpenRead(path))
            {
                var document = (NetworkDocument)new DataContractJsonSerializer(typeof(NetworkDocument))
                    .ReadObject(file);
                // Sections the document leaves out are empty.
                document.Links = document.Links ?? new Link[0];
                document.PumpLinks = document.PumpLinks ?? new PumpLink[0];
                document.Gutters = document.Gutters ?? new Gutter[0];
                return document;
            }
        }

        public int[] NodeIDs { get { return Nodes.Select(n => n.Id).ToArray(); } }
        public int[] LinkIDs { get { return Links.Select(l => l.Id).ToArray(); } }

        // Nodes, their flags, links, pump links and gutters, as the tool feeds them.
        public void Feed(RivoNetworkParser parser, bool bulk)
        {
            if (bulk)
            {
                parser.AddNodes(NodeIDs, Nodes.Select(n => n.X).ToArray(), Nodes.Select(n => n.Y).ToArray(),
                    Nodes.Select(n => n.Type).ToArray());
            }
            else
            {
                foreach (Node n in Nodes)
                {
                    parser.AddNode(n.Id, n.X, n.Y, n.Type);
                }
            }
            foreach (Node n in Nodes)
            {
                if (n.Pond.HasValue)
                {
                    parser.SetNodeIsPondType(n.Id, n.Pond.Value);
                }
                if (n.Storage == true)
                {
                    parser.SetNodeStorageType(n.Id);
                }
            }
            if (bulk)
            {
                FeedLinksInBulk(parser);
            }
            else
            {
                FeedLinks(parser);
            }
            foreach (Gutter g in Gutters)
            {
                parser.AddGutterLinkIDDirection(g.Id, g.SameDirectionAsUI);
            }
        }

        private void FeedLinks(RivoNetworkParser parser)
        {
            foreach (Link l in Links)
            {
                if (l.Length.HasValue)
                {
                    parser.AddEdge(l.Id, l.Source, l.SourceElevation, l.Target, l.TargetElevation, l.Size, l.Type,
                        l.Length.Value);
                }
                else
                {
                    parser.AddEdge(l.Id, l.Source, l.SourceElevation, l.Target, l.TargetElevation, l.Size, l.Type);
                }
            }
            foreach (PumpLink p in PumpLinks)
            {
                parser.AddPumpLink(p.Id, p.Upstream, p.Downstream);
            }
        }

        // Without any length the parser's own is used; where some links have
        // one, the others get 1.0, which is what the parser gives them.
        private void FeedLinksInBulk(RivoNetworkParser parser)
        {
            double[] lengths = Links.All(l => !l.Length.HasValue)
                ? null
                : Links.Select(l => l.Length ?? 1.0).ToArray();
            parser.AddEdges(LinkIDs, Links.Select(l => l.Source).ToArray(),
                Links.Select(l => l.SourceElevation).ToArray(), Links.Select(l => l.Target).ToArray(),
                Links.Select(l => l.TargetElevation).ToArray(), Links.Select(l => l.Size).ToArray(),
                Links.Select(l => l.Type).ToArray(), lengths);
            parser.AddPumpLinks(PumpLinks.Select(p => p.Id).ToArray(), PumpLinks.Select(p => p.Upstream).ToArray(),
                PumpLinks.Select(p => p.Downstream).ToArray());
        }
    }
}

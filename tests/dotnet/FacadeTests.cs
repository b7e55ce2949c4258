using System;
using System.Collections;
using System.IO;
using System.Linq;
using System.Runtime.InteropServices;
using NUnit.Framework;
using Velmora.Calculations.Dynamic;

namespace Rivo.Tests
{
    // The classes as a .NET host meets them: objects, properties, lists,
    // disposal and the exceptions the parser's errors become.
    [TestFixture]
    public class FacadeTests
    {
        private const int InvalidArg = unchecked((int)0x80070057);
        private const int Fail = unchecked((int)0x80004005);

        // A pump's pressure main: outfall 1, manholes up to the wet well 4,
        // the pump node 3 and the main 3-5-6-7; a gutter on its last link.
        private static RivoNetworkParser PressureMain(RivoNetworkParser parser = null)
        {
            parser = parser ?? new RivoNetworkParser();
            string source = System.Environment.GetEnvironmentVariable("RIVO_SOURCE_DIR") ?? ".";
            NetworkDocument.Read(Path.Combine(source, "examples", "pressure_main.json")).Feed(parser, true);
            return parser;
        }

        private class CountingParser : RivoNetworkParser
        {
            public int OneArgumentParses;
            public static int Releases;
            public static int AutomaticReleases;

            public override bool ParseNetwork(bool findLongestBranch)
            {
                ++OneArgumentParses;
                return base.ParseNetwork(findLongestBranch);
            }

            protected override void Dispose(bool disposing)
            {
                ++Releases;
                AutomaticReleases += disposing ? 0 : 1;
                base.Dispose(disposing);
            }
        }

        [Test]
        public void ParseWithoutArgumentGoesThroughTheOverridableForm()
        {
            using (var derived = (CountingParser)PressureMain(new CountingParser()))
            using (RivoNetworkParser plain = PressureMain())
            {
                Assert.IsTrue(derived.ParseNetwork());
                Assert.AreEqual(1, derived.OneArgumentParses);
                Assert.IsTrue(plain.ParseNetwork(false));
                Assert.AreEqual(ResultDocument.InBulk(plain, true, new NetworkDocument()),
                    ResultDocument.InBulk(derived, true, new NetworkDocument()));
            }
        }

        [Test]
        public void EveryGetBranchMakesANewObjectOverTheSameRecord()
        {
            using (RivoNetworkParser parser = PressureMain())
            {
                parser.ParseNetwork();
                IVBranch first = parser.GetBranch(0), second = parser.GetBranch(0);
                Assert.AreNotSame(first, second);
                Assert.AreEqual(1, first.BranchNumber);
                Assert.AreEqual(first.BranchNumber, second.BranchNumber);
            }
        }

        [Test]
        public void PumpListIsTheHostsOwnList()
        {
            using (RivoNetworkParser parser = PressureMain())
            {
                ArrayList list = parser.PumpList;
                Assert.AreSame(list, parser.PumpList);
                Assert.AreEqual(0, list.Count);
                list.Add("kept");
                parser.ParseNetwork();
                Assert.AreSame(list, parser.PumpList);
                Assert.AreEqual(new object[] { "kept" }, list.ToArray());
            }
        }

        public static readonly object[] Failures =
        {
            new object[] { (Action<RivoNetworkParser>)(p => p.GetBranch(-1)), InvalidArg,
                "Failed : CFLDNetworkParser::GetBranch\nIndex out of range" },
            new object[] { (Action<RivoNetworkParser>)(p => p.GetLoop(0)), InvalidArg,
                "Failed : CFLDNetworkParser::GetLoopBranch\nIndex out of range" },
            new object[] { (Action<RivoNetworkParser>)(p => p.GetPumpLink(1)), InvalidArg,
                "Failed : CFLDNetworkParser::GetPumpLink\nIndex out of range" },
            new object[] { (Action<RivoNetworkParser>)(p => p.GetBranch(0).GetEdgeID(3)), InvalidArg,
                "Failed : CBranch::GetEdgeID\nIndex out of range" },
            new object[] { (Action<RivoNetworkParser>)(p => p.GetBranchNumberOfNode(7)), InvalidArg,
                "Failed : CFLDNetworkParser::GetBranchNumberOfNode\nNode ID is not in the Graph" },
            new object[] { (Action<RivoNetworkParser>)(p => p.GetFirstSectionPosition(99)), InvalidArg,
                "Failed : graph_fld::GetEdge" },
            new object[] { (Action<RivoNetworkParser>)(p => p.ParseNetwork(true)), Fail,
                "Failed : CFLDNetworkParser::ParseAllNetworks\nThe network has already been parsed" },
        };

        [TestCaseSource("Failures")]
        public void ParserErrorsArriveWithTheirCodeAndExactMessage(Action<RivoNetworkParser> call, int hr,
            string message)
        {
            using (RivoNetworkParser parser = PressureMain())
            {
                parser.ParseNetwork();
                var error = Assert.Throws<COMException>(() => call(parser));
                Assert.AreEqual(hr, error.HResult);
                Assert.AreEqual(message, error.Message);
            }
        }

        [Test]
        public void BulkCallTellsWhichElementWasRefused()
        {
            using (var parser = new RivoNetworkParser())
            {
                var error = Assert.Throws<COMException>(() => parser.AddNodes(new[] { 1, 2, 1 },
                    new double[3], new double[3], new short[3]));
                Assert.AreEqual("Failed : graph_fld::add_node", error.Message);
                Assert.AreEqual(2, error.Data["Index"]);
                Assert.AreEqual(2, parser.NumberOfNodes);
                Assert.Throws<ArgumentException>(() => parser.AddPumpLinks(new[] { 1 }, new int[0], new int[0]));
            }
        }

        [Test]
        public void DisposingCancelsTheAutomaticReleaseAndReleasesOnce()
        {
            CountingParser.Releases = CountingParser.AutomaticReleases = 0;
            var parser = new CountingParser();
            IVBranch branch = new RivoBranch();
            ((RivoBranch)branch).SetBranch(parser, false, 0);
            parser.Dispose();
            parser.Dispose();
            Assert.Throws<ObjectDisposedException>(() => { int n = parser.NumberOfNodes; });
            Assert.Throws<ObjectDisposedException>(() => { int n = branch.BranchNumber; });
            DropUndisposedParser();
            GC.Collect();
            GC.WaitForPendingFinalizers();
            Assert.AreEqual(3, CountingParser.Releases);
            Assert.AreEqual(1, CountingParser.AutomaticReleases);
        }

        // Made on a thread of its own, so that no stack the collector scans
        // still holds it when the thread is done.
        private static void DropUndisposedParser()
        {
            var thread = new System.Threading.Thread(() => new CountingParser().AddNode(1, 0, 0, 1));
            thread.Start();
            thread.Join();
        }

        [Test]
        public void BranchShowsItsRecordAsItIsNow()
        {
            using (RivoNetworkParser parser = PressureMain())
            {
                var branch = new RivoBranch();
                branch.SetBranch(parser, false, 2);
                Assert.Throws<COMException>(() => { int n = branch.NumberOfSections; });
                parser.ParseNetwork();
                Assert.AreEqual(3, branch.BranchNumber);
                Assert.AreEqual(4, branch.NumberOfSections);
                Assert.IsFalse(branch.IsStorageOutletBranch);
            }
        }

        [Test]
        public void BranchKeepsItsParserAlive()
        {
            IVBranch branch = ParsedBranch();
            GC.Collect();
            GC.WaitForPendingFinalizers();
            Assert.AreEqual(new[] { 10, 11, 12 }, new[] { 0, 1, 2 }.Select(branch.GetEdgeID));
        }

        private static IVBranch ParsedBranch()
        {
            RivoNetworkParser parser = PressureMain();
            parser.ParseNetwork();
            return parser.GetBranch(0);
        }
    }
}

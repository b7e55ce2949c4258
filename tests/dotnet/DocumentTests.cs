using System;
using System.Collections.Generic;
using System.Diagnostics;
using System.IO;
using System.Linq;
using NUnit.Framework;
using Velmora.Calculations.Dynamic;

namespace Rivo.Tests
{
    // Through the assembly, every network gives the document the tool writes
    // for it: the examples and a generated network of every profile, plain
    // and with the longest-branch parse, fed and read one by one and in bulk.
    [TestFixture]
    public class DocumentTests
    {
        private static readonly string[] Profiles =
            { "realistic", "outfall-heavy", "looped", "chain", "star", "ring", "extra-loops" };

        private static string Environment(string name)
        {
            string value = System.Environment.GetEnvironmentVariable(name);
            if (string.IsNullOrEmpty(value))
            {
                Assert.Ignore(name + " is not set");
            }
            return value;
        }

        private static string Run(string program, params string[] arguments)
        {
            var start = new ProcessStartInfo(program, string.Join(" ", arguments.Select(a => "\"" + a + "\"")))
            {
                UseShellExecute = false,
                RedirectStandardOutput = true,
                RedirectStandardError = true,  // the tool's notes on pump links
            };
            using (Process process = Process.Start(start))
            {
                var notes = process.StandardError.ReadToEndAsync();
                string output = process.StandardOutput.ReadToEnd();
                notes.Wait();
                process.WaitForExit();
                Assert.That(process.ExitCode, Is.EqualTo(0).Or.EqualTo(3), program + " " + start.Arguments);
                return output;
            }
        }

        // The examples by path, then the generated networks by profile.
        public static IEnumerable<TestCaseData> Networks()
        {
            string examples = Path.Combine(System.Environment.GetEnvironmentVariable("RIVO_SOURCE_DIR") ?? ".",
                "examples");
            foreach (string network in Directory.GetFiles(examples, "*.json")
                         .Where(p => !p.EndsWith(".result.json")).Concat(Profiles))
            {
                foreach (bool longest in new[] { false, true })
                {
                    yield return new TestCaseData(network, longest)
                        .SetName(Path.GetFileName(network) + (longest ? " longest" : ""));
                }
            }
        }

        [TestCaseSource("Networks")]
        public void NetworkGivesTheToolsDocument(string network, bool longest)
        {
            if (!Profiles.Contains(network))
            {
                CompareWithTool(network, longest);
                return;
            }
            string path = Path.Combine(Path.GetTempPath(), "rivo-dotnet-" + Guid.NewGuid() + "-" + network + ".json");
            Run(Environment("RIVO_WRITE_NETWORK"), network, "400", path, "7");
            try
            {
                CompareWithTool(path, longest);
            }
            finally
            {
                File.Delete(path);
            }
        }

        private static void CompareWithTool(string path, bool longest)
        {
            string tool = Environment("RIVO_TOOL");
            string expected = longest ? Run(tool, "parse", path, "--longest") : Run(tool, "parse", path);
            NetworkDocument network = NetworkDocument.Read(path);
            Assert.AreEqual(expected, Document(network, longest, false), "one by one");
            Assert.AreEqual(expected, Document(network, longest, true), "in bulk");
        }

        private static string Document(NetworkDocument network, bool longest, bool bulk)
        {
            using (var parser = new RivoNetworkParser())
            {
                try
                {
                    network.Feed(parser, bulk);
                    bool result = longest ? parser.ParseNetwork(true) : parser.ParseNetwork();
                    return bulk ? ResultDocument.InBulk(parser, result, network)
                                : ResultDocument.OneByOne(parser, result, network);
                }
                catch (System.Runtime.InteropServices.COMException e)
                {
                    return ResultDocument.Error(e);
                }
            }
        }
    }
}

#include "cli/parse_command.h"

#include <iostream>
#include <memory>

namespace rivo::tool {

namespace {

constexpr const char* kParseFormats = R"(
Input, a network document (a pipe from manhole 2 to outfall 1, and a
storage node 3 that drains into manhole 2 and whose pump lifts into it):
  {"nodes": [{"id": 1, "x": 0.0, "y": 0.0, "type": 1},
             {"id": 2, "x": 10.0, "y": 0.0, "type": 0},
             {"id": 3, "x": 20.0, "y": 0.0, "type": 2, "pond": false}],
   "links": [{"id": 10, "source": 2, "target": 1, "sourceElevation": 1.0,
              "targetElevation": 0.5, "size": 0.6, "type": 0, "length": 25.0},
             {"id": 11, "source": 3, "target": 2, "sourceElevation": 1.5,
              "targetElevation": 1.0, "size": 0.4, "type": 0}],
   "pumpLinks": [{"id": 100, "upstream": 3, "downstream": 2}],
   "gutters": [{"id": 10, "sameDirectionAsUI": true}]}
  Required: nodes; node id, x, y, type; every field of a link except length;
  every field of a pump link and of a gutter. IDs are int32 integers, types
  int16 integers, positions, elevations, sizes and lengths finite numbers.
  Node types: 0 manhole, 1 outfall, 2 storage, 4 pump.

Output, the result document: result (false when some node drains to no
  outlet: standard error says which), numberOfNodes, numberOfLinks,
  containsLoop, branches and loops (branchNumber, the branches and sections
  they join, numberOfSections, nodeIDs, edgeIDs), pumpLinks, gutters,
  isolatedNodeIDs, isolatedEdgeIDs, removedOutfallIDs, per input node and
  link the parser's answers (null where a query raised), and for a SWMM model
  the names of its elements. When the parser raises an error:
  {"result": null, "error": {"hresult": "0x80070057", "message": "..."}}.

Exit status: 0 parsed (result true or false); 1 the result could not be
  written; 2 unusable command line or input file (message on stderr, nothing
  on stdout); 3 the parser raised an error (in the result document; stderr
  names the element that caused it where the tool can tell).)";

class ParseCommand : public NetworkCommand {
public:
    ParseCommand(const NetworkOptions& options, std::ostream& standardOutput,
                 std::ostream& diagnostics)
        : NetworkCommand(options, diagnostics), standardOutput_(standardOutput) {}

private:
    void Open(Outputs& outputs) override { out_ = &outputs.Add(options_.output, standardOutput_); }
    int Write() override {
        return WriteParseDocument(*out_, outcome_, parser_, nodeIDs_, linkIDs_,
                                  names_ ? &*names_ : nullptr, WritesPartial());
    }

    std::ostream& standardOutput_;
    std::ostream* out_ = nullptr;
};

}  // namespace

void AddParseCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<NetworkOptions>();
    CLI::App* command = app.add_subcommand(
        "parse", "Decompose a network into branches and write the result document");
    AddNetworkOptions(*command, *options);
    command->add_option("-o,--output", options->output,
                        "Write the result document to this file (atomically) instead of stdout");
    command->footer(kParseFormats);
    command->callback(
        [options, &status] { status = RunParseCommand(*options, std::cout, std::cerr); });
}

int RunParseCommand(const NetworkOptions& options, std::ostream& standardOutput,
                    std::ostream& diagnostics) {
    return ParseCommand(options, standardOutput, diagnostics).Run();
}

}  // namespace rivo::tool

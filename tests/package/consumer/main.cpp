#include <rivo.h>

#include <cstdio>

// A host built against an installed package: one outfall, one manhole, one pipe.
int main() {
    using Velmora::Calculations::Dynamic::RivoNetworkParser;
    RivoNetworkParser parser;
    parser.AddNode(1, 0.0, 0.0, 1);
    parser.AddNode(2, 10.0, 0.0, 0);
    parser.AddEdge(10, 2, 1.0, 1, 0.5, 0.6, 0, 25.0);
    bool complete = parser.ParseNetwork();
    std::printf("rivo %s: %d branch(es)\n", RIVO_VERSION, parser.NumberOfBranches());
    return complete && parser.NumberOfBranches() == 1 ? 0 : 1;
}

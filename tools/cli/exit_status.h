#pragma once

namespace rivo::tool {

// Exit statuses of the tool, as documented in docs/tool.md.
enum ExitStatus : int {
    kParsed = 0,         // the parse ran to its end, whatever its result
    kNotWritten = 1,     // the result could not be written, or an unexpected failure
    kUnusableInput = 2,  // the command line or the input file cannot be used
    kSystemRaised = 3,   // the system raised an error; the result document holds it
};

}  // namespace rivo::tool

#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "output/atomic_output.h"

namespace rivo::tool {

// The files a command writes, or standard output where it names none. Every
// file is made before the input is read, so that an unusable path is found
// before any work, and all are put in place together once all are written.
class Outputs {
public:
    // Makes the file `path` (throws OutputError), or takes `standardOutput`
    // when `path` is empty; the stream stays valid while the Outputs live.
    std::ostream& Add(const std::string& path, std::ostream& standardOutput);
    // Writes out and flushes every output, then renames every file into
    // place: a failure before the first rename leaves every target as it
    // was. Throws OutputError.
    void Commit();

private:
    std::vector<std::unique_ptr<AtomicOutputFile>> files_;
    std::vector<std::ostream*> standardOutputs_;
};

// The phases every command goes through, in this order, each with its own
// failures (exit statuses in exit_status.h):
//   Open   make the outputs; a path that cannot be used is status 2;
//   Read   read and check the input; an unusable input (InputError) is 2;
//   Parse  describe the network to the parser and parse it; what the
//          parser raises is the command's outcome, not a failure;
//   Write  write the outputs and return the status (0, or 3 when the
//          parser raised); a failed write (OutputError) is 1, and so is
//          putting the files in place.
// Memory running out in any phase is 1, with a message naming the input.
// Messages go to the diagnostics stream, one line each.
class Command {
public:
    // `input` names the file the command reads, for messages.
    Command(std::string input, std::ostream& diagnostics)
        : diagnostics_(diagnostics), input_(std::move(input)) {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    int Run();

protected:
    virtual void Open(Outputs& outputs) = 0;
    virtual void Read() = 0;
    virtual void Parse() {}
    virtual int Write() = 0;

    std::ostream& diagnostics_;

private:
    int RunPhases();

    std::string input_;
    Outputs outputs_;
};

}  // namespace rivo::tool

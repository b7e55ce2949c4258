#include "cli/command.h"

#include <new>

#include "cli/exit_status.h"
#include "input/input_error.h"

namespace rivo::tool {

std::ostream& Outputs::Add(const std::string& path, std::ostream& standardOutput) {
    if (path.empty()) {
        standardOutputs_.push_back(&standardOutput);
        return standardOutput;
    }
    files_.push_back(std::make_unique<AtomicOutputFile>(path));
    return files_.back()->stream();
}

void Outputs::Commit() {
    for (std::ostream* out : standardOutputs_) {
        if (!out->flush()) {
            throw OutputError("stdout: cannot write the result");
        }
    }
    for (const auto& file : files_) {
        file->Finish();
    }
    for (const auto& file : files_) {
        file->Commit();
    }
}

int Command::Run() {
    try {
        return RunPhases();
    } catch (const std::bad_alloc&) {
        diagnostics_ << "out of memory while parsing " << input_ << '\n';
        return kNotWritten;
    }
}

int Command::RunPhases() {
    try {
        Open(outputs_);
        Read();
    } catch (const OutputError& error) {
        diagnostics_ << error.what() << '\n';
        return kUnusableInput;
    } catch (const InputError& error) {
        diagnostics_ << error.what() << '\n';
        return kUnusableInput;
    }
    Parse();
    try {
        const int status = Write();
        outputs_.Commit();
        return status;
    } catch (const OutputError& error) {
        diagnostics_ << error.what() << '\n';
        return kNotWritten;
    }
}

}  // namespace rivo::tool

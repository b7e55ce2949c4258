#pragma once

// A run stopped by Ctrl-C (SIGINT), by SIGTERM or by the loss of its
// terminal (SIGHUP) leaves none of its temporary result files behind: the
// files registered here are removed before the process ends.
namespace rivo::tool {

// Makes those signals remove the registered files and then end the process
// by the same signal, so that a shell reports the usual 128 + signal. A
// signal the process was started ignoring (under nohup, as a background
// job) stays ignored.
void RemoveFilesOnSignals();

// Registers a file to be removed on such a signal; `path` must stay valid
// until it is forgotten. A few files at once are kept track of, as many as
// a command writes.
void RemoveOnSignal(const char* path);
void ForgetOnSignal(const char* path);

}  // namespace rivo::tool

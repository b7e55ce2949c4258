#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tool_run.h"

extern char** environ;

// Runs stopped by a signal or starved of memory leave no file behind and
// say what happened.
namespace {

using namespace rivo_tool_test;

// The hidden temporary files of results being written.
std::size_t Temporaries(const fs::path& dir) {
    return std::count_if(fs::directory_iterator(dir), {}, [](const fs::directory_entry& entry) {
        return entry.path().filename().string().starts_with(".");
    });
}

// Starts the tool with the signals at their defaults, as a shell in the
// foreground starts it.
pid_t Start(std::vector<std::string> args) {
    args.insert(args.begin(), RIVO_TOOL);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&defaults, signal);
    }
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, RIVO_TOOL, nullptr, &attributes, argv.data(), environ), 0);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

// The input is a named pipe no one writes to: the tool waits for it with
// its result files already made, and is stopped there. It ends by the
// signal itself (a shell reports 128 + signal); the earlier result stays.
TEST_F(ToolTest, InterruptedRunsLeaveNoTemporaryFile) {
    const std::string input = (dir_ / "input").string(), result = (dir_ / "result").string();
    ASSERT_EQ(::mkfifo(input.c_str(), 0600), 0);
    std::ofstream(result) << "earlier result";
    const std::pair<int, std::vector<std::string>> cases[] = {
        {SIGINT, {"parse", input, "-o", result}},
        {SIGTERM, {"render", input, "-o", (dir_ / "view.html").string()}},
        {SIGHUP, {"import-swmm", input, "-o", result, "--names", (dir_ / "names").string()}},
    };
    for (const auto& [signal, args] : cases) {
        const pid_t pid = Start(args);
        const std::size_t outputs = args.size() / 3;
        for (int i = 0; i < 1000 && Temporaries(dir_) < outputs; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(Temporaries(dir_), outputs) << args[0];
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << args[0];
        EXPECT_EQ(Temporaries(dir_), 0u) << args[0];
        EXPECT_EQ(ReadFile(result), "earlier result");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
    }
}

// A network whose parse needs far more than an address-space limit lets
// the tool have: status 1 and one line, instead of an unexpected failure.
TEST_F(ToolTest, RunningOutOfMemoryIsNamed) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    const fs::path network = dir_ / "chain.json", result = dir_ / "result.json";
    {
        std::ofstream out(network);
        out << R"({"nodes": [{"id": 0, "x": 0, "y": 0, "type": 1})";
        constexpr int kNodes = 200000;
        for (int i = 1; i < kNodes; ++i) {
            out << ",\n{\"id\": " << i << ", \"x\": " << i << ", \"y\": 0, \"type\": 0}";
        }
        out << "],\n\"links\": [";
        for (int i = 1; i < kNodes; ++i) {
            out << (i > 1 ? ",\n" : "") << "{\"id\": " << i << ", \"source\": " << i
                << ", \"target\": " << i - 1 << ", \"sourceElevation\": " << i
                << ", \"targetElevation\": " << i - 1 << ", \"size\": 1, \"type\": 0}";
        }
        out << "]}\n";
    }
    const ToolRun run =
        Tool({"parse", network.string(), "-o", result.string()}, "ulimit -v 40000; {}");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "out of memory while parsing " + network.string() + "\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);
}

}  // namespace

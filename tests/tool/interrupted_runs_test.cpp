#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "tool_run.h"

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
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signal, SIG_DFL);
        }
        ::execv(RIVO_TOOL, argv.data());
        ::_exit(127);
    }
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

// A file that unpacks to far more than an address-space limit lets the
// tool have: status 1 and one line, instead of an unexpected failure.
TEST_F(ToolTest, RunningOutOfMemoryIsNamed) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    const std::string packed = (dir_ / "big.gz").string(), result = (dir_ / "result").string();
    const ToolRun run =
        Tool({"parse", packed, "-o", result},
             "head -c 150000000 /dev/zero | gzip -1 >'" + packed + "'; ulimit -v 60000; {}");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "out of memory while parsing " + packed + "\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);
}

}  // namespace

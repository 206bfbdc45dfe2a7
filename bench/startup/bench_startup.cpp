// Start-up time: from the start of the process until its main frame has been shown and
// painted, in an empty folder, on the offscreen platform. The program is measured beside a
// bare Qt main window with one menu started the same way, interleaved.
//
// Measured is the CPU time the process (all its threads, loading included) has used when it
// reports its first paint, read from the kernel's scheduler statistics: on a machine that
// others share, the elapsed time mostly measures whose turn it was. The elapsed time is kept
// as well. "ratio startup" is the program's least CPU time over the bare window's;
// "ratio startup-elapsed" the same for the elapsed time.

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Startup
{
    double cpu = -1;     // seconds of CPU time used until the first paint
    double elapsed = -1; // seconds from the start until the first paint
};

// The CPU time a process has used so far, summed over its threads.
double cpuSeconds(pid_t process)
{
    const std::filesystem::path tasks
        = std::filesystem::path("/proc") / std::to_string(process) / "task";
    std::error_code error;
    double total = 0;
    for (const auto &task : std::filesystem::directory_iterator(tasks, error)) {
        std::FILE *stats = std::fopen((task.path() / "schedstat").c_str(), "r");
        if (!stats)
            continue;
        unsigned long long nanoseconds = 0;
        if (std::fscanf(stats, "%llu", &nanoseconds) == 1)
            total += static_cast<double>(nanoseconds) / 1e9;
        std::fclose(stats);
    }
    return total;
}

// Starts `program` in an empty folder and measures it until it reports "painted"; the times
// stay negative when it never does. Waits for the program to end before returning.
Startup timeToPaint(const char *program)
{
    const bench::TemporaryFolder folder("tessaro-startup");
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
    char *argv[] = {const_cast<char *>(program), nullptr};

    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return {};
    }
    Startup measured;
    std::string seen;
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, static_cast<std::size_t>(n));
        if (measured.elapsed < 0 && seen.find("painted\n") != std::string::npos) {
            measured.elapsed
                = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            measured.cpu = cpuSeconds(child);
        }
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return measured;
}

void startup(benchmark::State &state, const char *program)
{
    double elapsed = 0;
    for (auto _ : state) {
        const Startup measured = timeToPaint(program);
        if (measured.cpu < 0) {
            state.SkipWithError("the program did not report its first paint");
            return;
        }
        state.SetIterationTime(measured.cpu);
        elapsed += measured.elapsed;
    }
    state.counters["elapsed_ms"]
        = benchmark::Counter(1000 * elapsed, benchmark::Counter::kAvgIterations);
}

} // namespace

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("TESSARO_CLOSE_AFTER_START", "1", 1);
    if (!bench::initialize({argv, argv + argc},
                           {"--benchmark_repetitions=9",
                            "--benchmark_enable_random_interleaving=true",
                            "--benchmark_report_aggregates_only=true"}))
        return 1;

    for (const auto &[name, program] :
         {std::pair{"startup/bare", BARE_PROGRAM}, {"startup/tessaro", TESSARO_PROGRAM}}) {
        benchmark::RegisterBenchmark(name, startup, program)
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", bench::least);
    }
    bench::LeastReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // The manual time of an iteration is the CPU time measured.
    reporter.printRatio("startup", "startup/tessaro", "startup/bare", bench::LeastReporter::kReal);
    reporter.printRatio("startup-elapsed", "startup/tessaro", "startup/bare", "elapsed_ms");
    benchmark::Shutdown();
    return 0;
}

#pragma once

// What every benchmark program needs besides the work it measures: clocks, the medians and
// least times its ratios compare, the `ratio <step> <value>` lines, its own `--name=value`
// options, temporary folders and a way to give up.

#include "store/messagepresenter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace bench {

// Ends the program with "<program>: <what>" on stderr: a benchmark that cannot do its work
// has no figure to give.
[[noreturn]] void fail(const std::string &what);

// Processor seconds of the calling thread and elapsed seconds of a steady clock.
double threadCpuNow();
double wallNow();

struct Sample
{
    double cpu = 0;
    double wall = 0;
};

class Stopwatch
{
public:
    Stopwatch();
    Sample elapsed() const;

private:
    double m_cpu;
    double m_wall;
};

// The middle value (the upper one of an even count); 0 for none.
double median(std::vector<double> values);

// "ratio <step> <ours ÷ raw>", where the raw side took any time at all.
void printRatio(const std::string &step, double ours, double raw);

// Google Benchmark's table, and per benchmark the least of its measures over the runs
// reported: of the iterations, or of the "min" statistic where only aggregates are reported.
// The least, because what others do on a shared machine only ever adds to a time.
class LeastReporter : public benchmark::ConsoleReporter
{
public:
    static constexpr const char *kCpu = "cpu";   // CPU time of an iteration
    static constexpr const char *kReal = "real"; // its elapsed (or manual) time
    // Any other measure is the counter of that name.

    void ReportRuns(const std::vector<Run> &runs) override;
    // Prints the ratio of the benchmarks `ours` and `raw` in `measure`, where both ran.
    void printRatio(const std::string &step,
                    const std::string &ours,
                    const std::string &raw,
                    const std::string &measure) const;

private:
    std::map<std::string, std::map<std::string, double>> m_least;
};

// A statistic to register with ComputeStatistics("min", …).
double least(const std::vector<double> &values);

// Starts Google Benchmark with `defaults` before the arguments given (which come later and
// win); `args` begins with the program's name. False when an argument was not understood
// (reported already).
bool initialize(std::vector<char *> args, std::initializer_list<const char *> defaults);

// The command line split into the program's own `--name=value` options (and `--name` flags)
// and the rest, which goes to Google Benchmark with the program's name first.
class Options
{
public:
    Options(int argc, char **argv, std::initializer_list<const char *> names);

    bool has(const std::string &name) const { return m_values.contains(name); }
    std::string text(const std::string &name) const;
    // The option's number, at least `least`; `fallback` without the option.
    int number(const std::string &name, int fallback, int least) const;
    const std::vector<char *> &rest() const { return m_rest; }

private:
    std::map<std::string, std::string> m_values;
    std::vector<char *> m_rest;
};

// A new empty folder "<prefix>-XXXXXX" in the system's temporary folder; removed with the
// object unless released.
class TemporaryFolder
{
public:
    explicit TemporaryFolder(const std::string &prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Nobody answers: a message is a failure of the benchmark.
class FailingPresenter : public MessagePresenter
{
public:
    int show(const std::string &title, const std::string &text, MessageIcon, int, int) override;
    void beep(int, int) override {}
    [[noreturn]] void endProgram(const std::string &reason) override;
};

// A message goes to stderr and is answered with its default button; an ending is a failure.
class QuietPresenter : public MessagePresenter
{
public:
    int show(const std::string &title, const std::string &text, MessageIcon, int, int def) override;
    void beep(int, int) override {}
    [[noreturn]] void endProgram(const std::string &reason) override;
};

} // namespace bench

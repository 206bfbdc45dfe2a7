#include "benchsupport.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bench {

void fail(const std::string &what)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what.c_str());
    std::exit(1);
}

double threadCpuNow()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double wallNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Stopwatch::Stopwatch()
    : m_cpu(threadCpuNow())
    , m_wall(wallNow())
{}

Sample Stopwatch::elapsed() const
{
    return {threadCpuNow() - m_cpu, wallNow() - m_wall};
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void printRatio(const std::string &step, double ours, double raw)
{
    if (raw > 0)
        std::printf("ratio %s %.3f\n", step.c_str(), ours / raw);
}

void LeastReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        if (run.run_type != Run::RT_Iteration && run.aggregate_name != "min")
            continue;
        auto &least = m_least[run.run_name.function_name];
        const auto keep = [&least](const std::string &measure, double value) {
            const auto [at, added] = least.emplace(measure, value);
            if (!added)
                at->second = std::min(at->second, value);
        };
        keep(kCpu, run.GetAdjustedCPUTime());
        keep(kReal, run.GetAdjustedRealTime());
        for (const auto &[name, counter] : run.counters)
            keep(name, counter.value);
    }
    ConsoleReporter::ReportRuns(runs);
}

void LeastReporter::printRatio(const std::string &step,
                               const std::string &ours,
                               const std::string &raw,
                               const std::string &measure) const
{
    const auto o = m_least.find(ours);
    const auto r = m_least.find(raw);
    if (o == m_least.end() || r == m_least.end())
        return;
    const auto oursValue = o->second.find(measure);
    const auto rawValue = r->second.find(measure);
    if (oursValue != o->second.end() && rawValue != r->second.end())
        bench::printRatio(step, oursValue->second, rawValue->second);
}

double least(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

bool initialize(std::vector<char *> args, std::initializer_list<const char *> defaults)
{
    // Google Benchmark takes the arguments as writable strings that outlive its run.
    static std::vector<std::string> kept(defaults.begin(), defaults.end());
    std::vector<char *> all{args.front()};
    for (std::string &option : kept)
        all.push_back(option.data());
    all.insert(all.end(), args.begin() + 1, args.end());
    int count = static_cast<int>(all.size());
    benchmark::Initialize(&count, all.data());
    return !benchmark::ReportUnrecognizedArguments(count, all.data());
}

Options::Options(int argc, char **argv, std::initializer_list<const char *> names)
    : m_rest{argv[0]}
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        bool own = false;
        for (const std::string name : names) {
            const std::string option = "--" + name;
            if (arg == option || arg.starts_with(option + '=')) {
                m_values[name] = arg.size() > option.size() ? arg.substr(option.size() + 1) : "";
                own = true;
                break;
            }
        }
        if (!own)
            m_rest.push_back(argv[i]);
    }
}

std::string Options::text(const std::string &name) const
{
    const auto value = m_values.find(name);
    return value == m_values.end() ? std::string() : value->second;
}

int Options::number(const std::string &name, int fallback, int least) const
{
    return has(name) ? std::max(least, std::atoi(text(name).c_str())) : fallback;
}

TemporaryFolder::TemporaryFolder(const std::string &prefix)
{
    std::string name = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(name.data()))
        fail("no temporary folder");
    m_path = name;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

int FailingPresenter::show(const std::string &title, const std::string &text, MessageIcon, int, int)
{
    fail(title + ": " + text);
}

void FailingPresenter::endProgram(const std::string &reason)
{
    fail(reason);
}

int QuietPresenter::show(
    const std::string &title, const std::string &text, MessageIcon, int, int def)
{
    std::fprintf(
        stderr, "%s: %s: %s\n", program_invocation_short_name, title.c_str(), text.c_str());
    return def;
}

void QuietPresenter::endProgram(const std::string &reason)
{
    fail(reason);
}

} // namespace bench

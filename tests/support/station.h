#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

extern char **environ; // NOLINT: the process's environment, handed on to the other station

// Runs the other station (station.cpp) on `folder` with `arguments` and waits for it to end:
// its exit code, 0 when it did what it was told; -1 when it could not run. Test targets that
// use it call tessaro_use_station() in their CMakeLists.
inline int runStation(const std::filesystem::path &folder,
                      const std::vector<std::string> &arguments)
{
    std::vector<std::string> words{TESSARO_STATION, folder.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

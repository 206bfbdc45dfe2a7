#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

// Reads a settings file the way a program outside this system does: Python's own INI parser,
// names kept in their case. `printing` is the script's body after the parse, on the parser `p`;
// what it prints is returned. A failing run is a test failure that shows the output.
inline std::string parsedByPython(const std::filesystem::path &ini, const std::string &printing)
{
    const std::filesystem::path script = ini.parent_path() / "read.py";
    std::ofstream(script) << "import configparser, sys\n"
                             "p = configparser.ConfigParser(interpolation=None)\n"
                             "p.optionxform = str\n"
                             "with open(sys.argv[1], encoding='utf-8') as f:\n"
                             "    p.read_file(f)\n"
                          << printing;
    const std::string command = "python3 '" + script.string() + "' '" + ini.string() + "'";
    FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    EXPECT_EQ(::pclose(pipe), 0) << output;
    return output;
}

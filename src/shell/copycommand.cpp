#include "shell/copycommand.h"

#include "store/copydata.h"
#include "store/enginefactory.h"

#include <cstdio>
#include <string_view>

bool samePlace(const DataLocation &a, const DataLocation &b)
{
    if (a.kind != b.kind)
        return false;
    if (a.kind == DataLocation::Kind::Server)
        return a.server == b.server;
    std::error_code ignored;
    return std::filesystem::weakly_canonical(a.folder, ignored)
           == std::filesystem::weakly_canonical(b.folder, ignored);
}

int runCopyCommand(int argc, char *argv[])
{
    if (argc < 2 || std::string_view(argv[1]) != "--copy-data")
        return -1;
    const bool overwrite = argc == 5 && std::string_view(argv[4]) == "--overwrite";
    if (argc != 4 && !overwrite) {
        std::fprintf(stderr, "Aufruf: tessaro --copy-data VON NACH [--overwrite]\n");
        return 2;
    }
    const DataLocation from = dataLocationFor(argv[2]);
    const DataLocation to = dataLocationFor(argv[3]);
    for (const DataLocation *location : {&from, &to}) {
        if (!location->problem.empty()) {
            std::fprintf(stderr, "Verbindung nicht lesbar: %s\n", location->problem.c_str());
            return 2;
        }
    }
    if (samePlace(from, to)) {
        std::fprintf(stderr, "Quelle und Ziel sind derselbe Ort.\n");
        return 2;
    }
    const auto source = makeEngine(from);
    const auto target = makeEngine(to);
    const CopyResult result = copyData(*source, *target, overwrite);
    std::fprintf(result.ok ? stdout : stderr, "%s\n", result.report.c_str());
    return result.ok ? 0 : 1;
}

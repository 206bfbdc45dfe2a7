// tessaro-sampledata <folder>: fills a new data folder with the sample catalogue.
// tessaro-sampledata --large <folder> [customers] [orders]: the catalogue and, besides it, a
// shop after ten years of use (20,000 customers and 100,000 orders with their lines unless
// told otherwise), to measure on or to try the program at size.

#include "largedata.h"
#include "sampledata.h"

#include "store/consolepresenter.h"
#include "store/storecontext.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

namespace {

bool readCount(const char *text, int &count)
{
    const std::string_view view(text);
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), count);
    return error == std::errc() && end == view.data() + view.size() && count >= 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool large = argc >= 2 && std::string_view(argv[1]) == "--large";
    sampledata::LargeSize size;
    const int first = large ? 2 : 1;
    const bool countsRead = !large
                            || ((argc <= 3 || readCount(argv[3], size.customers))
                                && (argc <= 4 || readCount(argv[4], size.orders)));
    if (argc < first + 1 || argc > (large ? 5 : 2) || !countsRead || size.customers < 1) {
        std::cerr << "Aufruf: tessaro-sampledata <Datenordner>\n"
                     "        tessaro-sampledata --large <Datenordner> [Kunden] [Aufträge]\n";
        return 2;
    }
    const std::filesystem::path folder = argv[first];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "Der Ordner " << folder.string()
                  << " kann nicht angelegt werden: " << error.message() << '\n';
        return 1;
    }
    ConsolePresenter presenter;
    try {
        StoreContext store(folder, presenter);
        switch (sampledata::fillSampleData(store)) {
        case sampledata::FillResult::Filled:
            if (large) {
                const auto start = std::chrono::steady_clock::now();
                const sampledata::LargeResult added = sampledata::addLargeData(store, size);
                if (!added.written)
                    break;
                const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
                std::cout << added.records << " Sätze (" << size.customers << " Kunden, "
                          << size.orders << " Aufträge) in " << took.count() << " s angelegt\n";
            }
            std::cout << "Beispieldaten angelegt in " << folder.string() << '\n';
            return 0;
        case sampledata::FillResult::FolderInUse:
            std::cerr << "Im Ordner " << folder.string()
                      << " liegen schon Dateien; Beispieldaten werden nur in einen leeren "
                         "Datenordner geschrieben.\n";
            return 1;
        case sampledata::FillResult::Failed:
            break;
        }
    } catch (const ConsoleProgramEnd &) {
    }
    std::cerr << "Die Beispieldaten konnten nicht vollständig angelegt werden.\n";
    return 1;
}

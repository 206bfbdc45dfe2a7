// tessaro-sampledata <folder>: fills a new data folder with the sample catalogue.

#include "sampledata.h"

#include "store/consolepresenter.h"
#include "store/storecontext.h"

#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "Aufruf: tessaro-sampledata <Datenordner>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
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

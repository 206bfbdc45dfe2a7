// tessaro-sampledata <folder>: fills a new data folder with the sample catalogue.

#include "sampledata.h"

#include "store/storecontext.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

struct ProgramEnd : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Nobody sits at the console to answer: messages go to the error output, and a question is
// answered with the way out, so that a failing write is never retried without end.
class ConsolePresenter : public MessagePresenter
{
public:
    int show(const std::string &title,
             const std::string &text,
             MessageIcon,
             int buttons,
             int defaultButton) override
    {
        std::string lines = text;
        std::replace(lines.begin(), lines.end(), '|', '\n');
        std::cerr << title << ": " << lines << '\n';
        for (int way : {MessageButton::Cancel, MessageButton::No, MessageButton::Abort}) {
            if (buttons & way)
                return way;
        }
        return defaultButton;
    }
    void beep(int, int) override {}
    [[noreturn]] void endProgram(const std::string &reason) override { throw ProgramEnd(reason); }
};

} // namespace

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
    } catch (const ProgramEnd &) {
    }
    std::cerr << "Die Beispieldaten konnten nicht vollständig angelegt werden.\n";
    return 1;
}

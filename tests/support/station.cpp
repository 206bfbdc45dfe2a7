// Another station at the same data folder, for tests of two stations: a process of its own
// that does one thing to the record files the way the program does it, and ends.
//
//   tessaro_station <folder> rename-customer <KUN:KID> <name>
//   tessaro_station <folder> rename-order <AUF:FID> <AUF:FKURZ>
//   tessaro_station <folder> delete-order <AUF:FID>       (with its lines, as the program does)
//   tessaro_station <folder> add-order <AUF:FID> <AUF:FNR>  (for customer K1, as an offer)
//   tessaro_station <folder> set-invoice-mail <KUN:KID> <KER:KEMAIL>   (the customer's
//                                                                     e-invoice data)
//
// Exit code 0 when done; the messages the store would have shown go to stderr.

#include "store/files.h"
#include "store/storecontext.h"

#include <cstdio>
#include <string>

namespace {

class StderrPresenter : public MessagePresenter
{
public:
    int show(const std::string &title,
             const std::string &text,
             MessageIcon,
             int,
             int defaultButton) override
    {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return defaultButton;
    }
    void beep(int, int) override {}
    [[noreturn]] void endProgram(const std::string &reason) override
    {
        std::fprintf(stderr, "ended: %s\n", reason.c_str());
        std::_Exit(3);
    }
};

// Fetches the record of `file` whose `field` holds `value` along `key`, with its relations open.
bool fetch(
    StoreContext &store, FileId file, KeyRef key, StringField field, const std::string &value)
{
    if (store.relations(file).Open() != Level::Benign)
        return false;
    store.records()[file].clear();
    store.records().set(field, value);
    return store.fileManager(file).FetchQuiet(key) == Level::Benign;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const std::string command = argv[2];
    const std::string id = argv[3];
    const std::string text = argc > 4 ? argv[4] : "";
    StderrPresenter presenter;
    StoreContext store(argv[1], presenter);
    Records &r = store.records();
    if (command == "rename-customer") {
        if (!fetch(store, FileId::kunde, KUN::Keyid, KUN::KID, id))
            return 1;
        r.set(KUN::KNAME, text);
        return store.relations(FileId::kunde).Update() == Level::Benign ? 0 : 1;
    }
    if (command == "rename-order") {
        if (!fetch(store, FileId::auftrag, AUF::Keyfid, AUF::FID, id))
            return 1;
        r.set(AUF::FKURZ, text);
        return store.relations(FileId::auftrag).Update() == Level::Benign ? 0 : 1;
    }
    if (command == "set-invoice-mail") {
        if (!fetch(store, FileId::kundeer, KER::Keykid, KER::KEKID, id))
            return 1;
        r.set(KER::KEMAIL, text);
        return store.relations(FileId::kundeer).Update() == Level::Benign ? 0 : 1;
    }
    if (command == "delete-order") {
        if (!fetch(store, FileId::auftrag, AUF::Keyfid, AUF::FID, id))
            return 1;
        return store.relations(FileId::auftrag).Delete(false) == Level::Benign ? 0 : 1;
    }
    if (command == "add-order") {
        FileManager &orders = store.fileManager(FileId::auftrag);
        if (orders.Open() != Level::Benign || orders.PrepareNewRecord() != Level::Benign)
            return 1;
        r.set(AUF::FID, id);
        r.set(AUF::FKUID, "K1");
        r.set(AUF::FNR, text);
        r.set(AUF::FSTAT, "ANGEBOT");
        return orders.Insert() == Level::Benign ? 0 : 1;
    }
    return 2;
}

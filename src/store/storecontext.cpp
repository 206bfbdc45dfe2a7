#include "store/storecontext.h"

#include "base/stddate.h"
#include "store/enginefactory.h"
#include "store/files.h"

namespace {

std::string issuedInvoiceRefusal(const RecordBuffer &invoice)
{
    return "Der Auftrag " + invoice.get(BEL::BAUFNR) + " kann nicht gelöscht werden: Die Rechnung "
           + invoice.get(BEL::BNR) + " wurde am " + rt::formatDate(invoice.get(BEL::BDAT))
           + " ausgestellt und bleibt unverändert erhalten.|Zum Löschen die Rechnung zuerst "
             "im Auftrag stornieren.";
}

} // namespace

const std::array<FileId, kFileCount> &StoreContext::fileOrder()
{
    static const std::array<FileId, kFileCount> order = {
        FileId::papier,  FileId::maschin,  FileId::arbeit,    FileId::kaldruck,  FileId::kunde,
        FileId::auftrag, FileId::drucktem, FileId::anach,     FileId::atran,     FileId::aufpap,
        FileId::asatz,   FileId::satz,     FileId::transport, FileId::lieferant, FileId::text,
        FileId::stamm,   FileId::firma,    FileId::kundeer,   FileId::beleg,     FileId::zahlung,
        FileId::posten,
    };
    return order;
}

StoreContext::StoreContext(const std::filesystem::path &folder,
                           MessagePresenter &presenter,
                           HandleFactory handles)
    : StoreContext(dataLocationOf(folder), presenter, std::move(handles))
{}

StoreContext::StoreContext(const DataLocation &location,
                           MessagePresenter &presenter,
                           HandleFactory handles)
    : m_location(location)
    , m_engine(makeEngine(location))
{
    const std::filesystem::path &folder = location.folder;
    m_errors = std::make_unique<ErrorManager>(m_engine->status(), presenter);
    m_errors->Init();
    m_errors->LoadMessages(storeMessages());
    m_ini.Init((folder / std::string(IniManager::DefaultFileName)).string());
    m_services = std::make_unique<FileServices>(*m_engine, m_threads, std::move(handles));

    // A relation names the other file's keeper, so all of them exist before any is set up.
    for (FileId file : fileOrder()) {
        m_managers[index(file)] = std::make_unique<FileManager>(*m_services);
        m_keepers[index(file)] = std::make_unique<RelationKeeper>();
    }
    for (FileId file : fileOrder()) {
        setUpFile(file);
        setUpRelations(file);
    }
}

StoreContext::~StoreContext()
{
    m_ini.Release();
    for (FileId file : fileOrder())
        m_keepers[index(file)]->Release();
    m_errors->Release();
}

void StoreContext::setUpFile(FileId file)
{
    FileManager &manager = *m_managers[index(file)];
    manager.Init(file, *m_errors);
    manager.LOCKRECOVER = 10;
    manager.OPENMODE = OpenMode::ReadWrite | OpenMode::DenyNone;
    manager.CREATE = 1;
    const FileDef &def = fileDef(file);
    for (std::uint8_t key = 0; key < def.keyCount; ++key)
        manager.RegisterKey(KeyRef{file, key}, def.qualifiedKeyName(key), def.keys[key].autoNumber);
    m_keepers[index(file)]->Init(manager, true, m_walkCounter);
}

void StoreContext::setUpRelations(FileId file)
{
    auto keeper = [this](FileId f) -> RelationKeeper & {
        return *m_keepers[index(f)];
    };
    RelationKeeper &self = keeper(file);
    using M = std::uint8_t;
    constexpr M none = RelationMode::None;
    constexpr M cascade = RelationMode::Cascade;
    switch (file) {
    case FileId::kunde:
        self.RegisterRelation(keeper(FileId::auftrag), cascade, cascade, AUF::Keykuid);
        self.AddLink(KUN::KID, AUF::FKUID);
        // The customer's e-invoice data lives and goes with the customer.
        self.RegisterRelation(keeper(FileId::kundeer), cascade, cascade, KER::Keykid);
        self.AddLink(KUN::KID, KER::KEKID);
        break;
    case FileId::kundeer:
        self.RegisterRelation(keeper(FileId::kunde));
        break;
    case FileId::auftrag:
        self.RegisterRelation(keeper(FileId::drucktem), none, none, DRU::Keydaufid);
        self.AddLink(AUF::FID, DRU::DAUFID);
        self.RegisterRelation(keeper(FileId::kaldruck), cascade, cascade, KAD::Keyaufid);
        self.AddLink(AUF::FID, KAD::KAUFID);
        self.RegisterRelation(keeper(FileId::anach), cascade, cascade, ANA::Keydidauf);
        self.AddLink(AUF::FID, ANA::ANIDAUF);
        self.RegisterRelation(keeper(FileId::atran), cascade, cascade, ATR::Kaufid);
        self.AddLink(AUF::FID, ATR::ATAUFID);
        // An issued invoice keeps its order, and so the order's customer: the cascade from
        // the customer stops here too.
        self.RegisterRelation(keeper(FileId::beleg), none, RelationMode::Restrict, BEL::Keysperre);
        self.AddLink(AUF::FID, BEL::BSPERRE);
        self.SetRefusal(issuedInvoiceRefusal);
        self.RegisterRelation(keeper(FileId::kunde));
        break;
    case FileId::beleg:
        self.RegisterRelation(keeper(FileId::auftrag));
        break;
    case FileId::kaldruck:
        self.RegisterRelation(keeper(FileId::asatz), cascade, cascade, ASA::Keykadid);
        self.AddLink(KAD::KAAID, ASA::ASKADID);
        self.RegisterRelation(keeper(FileId::auftrag));
        break;
    case FileId::drucktem:
    case FileId::anach:
    case FileId::atran:
        self.RegisterRelation(keeper(FileId::auftrag));
        break;
    case FileId::asatz:
        self.RegisterRelation(keeper(FileId::kaldruck));
        break;
    default:
        break;
    }
}

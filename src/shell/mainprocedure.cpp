#include "shell/mainprocedure.h"

#include "framework/dialogs.h"
#include "framework/procedurethreads.h"
#include "orders/core/orderstore.h"
#include "orders/einvoice/parties.h"
#include "shell/mainframe.h"
#include "store/storecontext.h"

namespace {
constexpr std::string_view kName = "Main";

// What a shop is told at start when the data cannot be reached where the settings say: which
// of the usual causes it is, and the engine's own words for it.
std::string unreachableText(Engine::Reach reach)
{
    switch (reach) {
    case Engine::Reach::NoServer:
        return "Der Datenbankserver antwortet nicht. Läuft er, und stimmen Server und Port?";
    case Engine::Reach::UnknownDatabase:
        return "Die Datenbank gibt es auf dem Server nicht. Stimmt ihr Name?";
    case Engine::Reach::WrongPassword:
        return "Der Datenbankserver hat die Anmeldung abgelehnt: Benutzer oder Kennwort "
               "stimmen nicht.";
    case Engine::Reach::NeedsPassword:
        return "Der Datenbankserver verlangt ein Kennwort für den Benutzer.";
    case Engine::Reach::Ok:
    case Engine::Reach::Other:
        break;
    }
    return "Die Verbindung zur Datenbank ist fehlgeschlagen.";
}

void reportUnreachableData(StoreContext &store)
{
    MessagePresenter &presenter = store.errors().presenter();
    if (!store.location().problem.empty()) {
        presenter.show("Datenbank",
                       "Die Verbindung in der Einstellungsdatei ist nicht lesbar; die Daten "
                       "werden im Arbeitsordner gelesen.\n\n"
                           + store.location().problem,
                       MessageIcon::Warning,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return;
    }
    const Engine::Reach reach = store.engine().reach();
    if (reach == Engine::Reach::Ok)
        return;
    presenter.show("Datenbank",
                   unreachableText(reach) + "\n\n" + store.engine().status().engineMessage,
                   MessageIcon::Error,
                   MessageButton::Ok,
                   MessageButton::Ok);
}

} // namespace

MainProcedure::MainProcedure(AppContext &app, MainFrame &frame)
    : WindowController(app)
    , m_frame(frame)
{}

MainProcedure::~MainProcedure()
{
    if (!DEAD)
        Shutdown();
}

int MainProcedure::Init()
{
    AppContext &context = app();
    ErrorManager &errors = context.store().errors();
    errors.SetProcedure(kName);
    m_procedureSet = true;
    REQUEST = static_cast<std::uint8_t>(context.PendingRequest);
    context.PendingRequest = Request::None;
    context.LastResponse = 0;
    if (const int level = WindowController::Init(); level != Level::Benign)
        return level;
    ERRORS = &errors;
    VCRREQUEST = &context.PendingRecordMove;
    SetToolbar(m_toolbar);
    setWindow(&m_frame.events());
    m_frame.events().open();
    OPENED = 1;
    ArmAlertKeys();
    return Level::Benign;
}

int MainProcedure::OnWindowEvent()
{
    if (event().kind == EventKind::OpenWindow) {
        reportUnreachableData(app().store());
        // The shop's own rate where it has entered its data; the usual one until then. A
        // start-up does not make the file.
        StoreContext &store = app().store();
        const std::optional<RecordBuffer> company
            = store.engine().exists(FileId::firma) ? orders::readCompany(store) : std::nullopt;
        app().VatFactor = company ? einvoice::vatFactorOf(*company) : kVatFactor;
    }
    return WindowController::OnWindowEvent();
}

int MainProcedure::OnAccepted()
{
    if (const int level = WindowController::OnAccepted(); level != Level::Benign)
        return level;
    if (const MenuItem *item = m_frame.command(event().control))
        dispatch(*item);
    return Level::Benign;
}

void MainProcedure::dispatch(const MenuItem &item)
{
    switch (item.command) {
    case MenuCommand::Procedure:
        app().start(item.procedure);
        break;
    case MenuCommand::Exit:
        window().post(EventKind::CloseWindow);
        break;
    case MenuCommand::PrinterSetup:
        printerSetup();
        break;
    case MenuCommand::CutToClipboard:
        m_frame.cutToClipboard();
        break;
    case MenuCommand::Tile:
        m_frame.tileWindows();
        break;
    case MenuCommand::Cascade:
        m_frame.cascadeWindows();
        break;
    case MenuCommand::ArrangeIcons:
        m_frame.arrangeIcons();
        break;
    case MenuCommand::HelpContents:
        m_frame.showHelp(MainFrame::HelpPage::Contents);
        break;
    case MenuCommand::HelpSearch:
        m_frame.showHelp(MainFrame::HelpPage::Search);
        break;
    case MenuCommand::HelpHowTo:
        m_frame.showHelp(MainFrame::HelpPage::HowTo);
        break;
    }
}

void MainProcedure::printerSetup()
{
    // On a thread of its own, so that the frame goes on dispatching while the dialog is open.
    AppContext &context = app();
    context.threads().start(QStringLiteral("Druckereinstellungen"), [&context] {
        askPrinterSetup(context.printer(), context.store().ini());
    });
}

int MainProcedure::Shutdown()
{
    const int level = WindowController::Shutdown();
    if (level != Level::Benign)
        return level;
    if (m_frame.events().isOpen())
        m_frame.events().close();
    setWindow(nullptr);
    if (m_procedureSet) {
        m_procedureSet = false;
        app().store().errors().ClearProcedure();
    }
    return level;
}

#include "shell/mainprocedure.h"

#include "framework/dialogs.h"
#include "framework/procedurethreads.h"
#include "orders/core/orderstore.h"
#include "orders/einvoice/parties.h"
#include "shell/copydatadialog.h"
#include "shell/databasedialog.h"
#include "shell/mainframe.h"
#include "store/storecontext.h"

namespace {
constexpr std::string_view kName = "Main";

// At start, when the data cannot be reached where the settings say: the password where the
// server wants one (asked here, kept by the engine in memory only), else which of the usual
// causes it is, in German with the engine's own words, and the settings dialog offered. The
// changed settings take effect at the next start, when no file is open on the old place.
void checkDataReach(StoreContext &store)
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
    Engine &engine = store.engine();
    Engine::Reach reach = engine.reach();
    std::string password;
    for (int tries = 0; tries < 3
                        && (reach == Engine::Reach::NeedsPassword
                            || (reach == Engine::Reach::WrongPassword && !password.empty()));
         ++tries) {
        const DatabaseSettings settings
            = DatabaseSettings::fromConnectionText(store.location().server);
        password = askDatabasePassword(settings.user, settings.database);
        if (password.empty())
            break;
        engine.usePassword(password);
        reach = engine.reach();
    }
    if (reach == Engine::Reach::Ok)
        return;
    const int answer = presenter.show(
        "Datenbank",
        withoutSecret(unreachableText(reach) + "\n\n" + engine.status().engineMessage, password)
            + "\n\nDie Einstellungen der Datenbank jetzt ändern?",
        MessageIcon::Error,
        MessageButton::Yes | MessageButton::No,
        MessageButton::Yes);
    if (answer == MessageButton::Yes)
        changeDatabaseSettings(store);
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
        checkDataReach(app().store());
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
    case MenuCommand::DatabaseSetup:
        onOwnThread(QStringLiteral("Datenbank"),
                    [](AppContext &context) { changeDatabaseSettings(context.store()); });
        break;
    case MenuCommand::CopyData:
        onOwnThread(QStringLiteral("Daten kopieren"),
                    [](AppContext &context) { askAndCopyData(context.store()); });
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
    onOwnThread(QStringLiteral("Druckereinstellungen"), [](AppContext &context) {
        askPrinterSetup(context.printer(), context.store().ini());
    });
}

void MainProcedure::onOwnThread(const QString &name, void (*step)(AppContext &))
{
    // So that the frame goes on dispatching while the step's dialog is open.
    AppContext &context = app();
    context.threads().start(name, [&context, step] { step(context); });
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

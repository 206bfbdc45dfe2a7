#include "framework/procedurecontroller.h"

#include "framework/formbuilder.h"
#include "framework/procwindow.h"
#include "store/errormanager.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

#include <QMdiSubWindow>

#include <algorithm>

// The procedure's MDI window as the window manager drives it.
class ProcedureController::WindowEvents : public EventWindow
{
public:
    explicit WindowEvents(ProcWindow &window)
        : m_window(window)
    {}

    void open() override { m_window.open(); }
    void close() override { m_window.close(); }
    bool isOpen() const override { return m_window.isOpen(); }
    bool nextEvent(WindowEvent &event) override { return m_window.nextEvent(event); }
    const WindowEvent &currentEvent() const override { return m_window.currentEvent(); }
    void post(EventKind kind, int control) override { m_window.post(kind, control); }
    void defaultAction(const WindowEvent &event) override { m_window.defaultAction(event); }
    void select(int control) override { m_window.select(control); }
    void validateAll() override { m_window.validateAll(); }
    bool isValidating() const override { return m_window.isValidating(); }
    int focusControl() const override { return m_window.focusControl(); }
    void redisplay() override { m_window.redisplay(); }
    void redisplay(int control) override { m_window.redisplay(control); }
    bool updateFromWindow() override { return m_window.updateFromWindow(); }
    bool updateFromWindow(int control) override { return m_window.updateFromWindow(control); }
    InputRefusal refusal(int control) const override { return m_window.refusal(control); }
    void putInput(int control, const QString &text) override { m_window.putInput(control, text); }
    ControlKind kind(int control) const override { return m_window.kind(control); }
    bool isDisabled(int control) const override { return m_window.isDisabled(control); }
    bool isHidden(int control) const override { return m_window.isHidden(control); }
    void enable(int control) override { m_window.enable(control); }
    void disable(int control) override { m_window.disable(control); }
    void addAlertKey(int control, int keyCode) override { m_window.addAlertKey(control, keyCode); }
    void beep() override { m_window.beep(); }

private:
    ProcWindow &m_window;
};

ProcedureController::ProcedureController(AppContext &app, std::string name, QString title)
    : WindowController(app)
    , m_name(std::move(name))
    , m_title(std::move(title))
{}

ProcedureController::~ProcedureController()
{
    // A procedure unwound while it waited (the program ending) still lets go of its window
    // and files. Its lists and drop-down lists belonged to the subclass and are gone by now.
    BROWSES.clear();
    FILEDROPS.clear();
    if (!DEAD)
        Shutdown();
}

StoreContext &ProcedureController::store() const
{
    return app().store();
}

Records &ProcedureController::records() const
{
    return store().records();
}

int ProcedureController::refuseEntry(const std::string &text, int control)
{
    MessagePresenter &presenter = store().errors().presenter();
    presenter.beep();
    presenter.show("ACHTUNG", text, MessageIcon::Warning, MessageButton::Ok, MessageButton::Ok);
    if (m_procWindow)
        m_procWindow->select(control);
    return Level::Notify;
}

void ProcedureController::setPrimary(FileId file, int okControl, int cancelControl)
{
    m_primary = file;
    m_okControl = okControl;
    m_cancelControl = cancelControl;
    useFile(file);
}

void ProcedureController::useFile(FileId file)
{
    if (std::find(m_files.begin(), m_files.end(), file) == m_files.end())
        m_files.push_back(file);
}

void ProcedureController::addHistoryField(int control, FileId file, int field)
{
    RecordBuffer &record = records()[file];
    AddHistoryArea(record, app().historyArea(m_name, file));
    AddHistoryControl(control, field);
}

int ProcedureController::Init()
{
    AppContext &context = app();
    store().errors().SetProcedure(m_name);
    m_procedureSet = true;
    REQUEST = static_cast<std::uint8_t>(context.PendingRequest);
    if (const int level = WindowController::Init(); level != Level::Benign)
        return level;

    FIRSTFIELD = 1;
    VCRREQUEST = &context.PendingRecordMove;
    ERRORS = &store().errors();
    if (m_toolbarUsed) {
        SetToolbar(m_toolbar);
        if (m_primary)
            m_toolbar.AddTarget(std::make_unique<ToolbarFormTarget>());
    }

    context.PendingRequest = Request::None;
    context.LastResponse = 0;

    HISTORYKEY = m_historyKey;
    registerParts();
    if (m_cancelControl != 0)
        AddButton(m_cancelControl, Response::Cancelled);

    for (FileId file : m_files) {
        store().relations(file).Open();
        m_opened.push_back(file);
    }
    if (m_primary) {
        PRIMARY = &store().relations(*m_primary);
        OKCONTROL = m_okControl;
        if (PrepareRequest() != Level::Benign)
            return Level::Notify;
    }

    openWindow();
    ArmAlertKeys();
    return Level::Benign;
}

void ProcedureController::openWindow()
{
    m_procWindow = std::make_unique<ProcWindow>(app().host(), m_title);
    m_events = std::make_unique<WindowEvents>(*m_procWindow);
    setWindow(m_events.get());
    {
        FormBuilder form(*m_procWindow, records());
        defineWindow(form);
        if (m_primary)
            form.scrollRows();
    }
    if (m_primary)
        m_procWindow->setCancelControl(m_cancelControl);
    m_procWindow->subWindow()->adjustSize();
    m_procWindow->redisplay();
    m_procWindow->open();
    OPENED = 1;
    m_resizer.Init(*m_procWindow);
    SetResizer(m_resizer);
    if (TOOLBAR)
        m_toolbar.SetTarget(0);
    const QSize sizedAs = m_procWindow->subWindow()->size();
    setUpWindow();
    // A window that sized itself here (the preview takes room for a page) may now reach past
    // the area's edge where the cascade placed it.
    if (!m_procWindow->subWindow()->isMaximized())
        m_procWindow->keepInsideHost();
    if (m_primary)
        m_procWindow->growToContent(sizedAs);
}

int ProcedureController::Shutdown()
{
    const int level = WindowController::Shutdown();
    if (level != Level::Benign)
        return level;
    setWindow(nullptr);
    m_events.reset();
    m_procWindow.reset();
    for (auto it = m_opened.rbegin(); it != m_opened.rend(); ++it)
        store().relations(*it).Close();
    m_opened.clear();
    if (m_procedureSet) {
        m_procedureSet = false;
        store().errors().ClearProcedure();
    }
    return level;
}

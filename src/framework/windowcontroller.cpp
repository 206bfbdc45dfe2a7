// The window manager's run, event dispatch, resets and registrations.

#include "framework/windowcontroller.h"

#include "framework/filedrop.h"
#include "framework/keycodes.h"
#include "framework/toolbar.h"
#include "framework/windowresizer.h"
#include "store/errormanager.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

WindowController::WindowController(AppContext &app)
    : m_app(app)
{}

WindowController::~WindowController() = default;

EventWindow &WindowController::window() const
{
    if (!m_window)
        throw std::logic_error("the window manager has no window yet");
    return *m_window;
}

ErrorManager &WindowController::errors() const
{
    return ERRORS ? *ERRORS : m_app.store().errors();
}

int WindowController::Run()
{
    if (Init() == Level::Benign)
        EventLoop();
    Shutdown();
    return RESPONSE != 0 ? RESPONSE : Response::Cancelled;
}

int WindowController::Init()
{
    ORIGINALREQUEST = REQUEST;
    BROWSES.clear();
    BUTTONS.clear();
    FILEDROPS.clear();
    m_listsCreated = true;
    // The new window must not act on the mouse action that opened it.
    if (m_app.PendingKeyCode == KeyCode::MouseRight
        || m_app.PendingKeyCode == KeyCode::MouseRightUp)
        m_app.PendingKeyCode = 0;
    INSERTACTION = 2;
    DELETEACTION = 2;
    CHANGEACTION = 1;
    CANCELACTION = 3;
    AUTOTOOLBAR = 1;
    AUTOREFRESH = 1;
    return Level::Benign;
}

void WindowController::EventLoop()
{
    if (DEAD)
        return;
    LASTINSERTEDPOSITION.clear();
    WindowEvent current;
    while (window().nextEvent(current)) {
        m_app.PendingKeyCode = current.keyCode;
        const int level = OnEvent();
        if (level == Level::Fatal)
            break;
        if (level != Level::Notify)
            window().defaultAction(current);
    }
}

int WindowController::OnEvent()
{
    const WindowEvent &e = event();
    if (e.isWindowEvent()) {
        if (const int level = OnWindowEvent(); level != Level::Benign)
            return level;
    }
    int level = Level::Benign;
    switch (e.kind) {
    case EventKind::Accepted:
        level = OnAccepted();
        break;
    case EventKind::NewSelection:
        level = OnNewSelection();
        break;
    case EventKind::AlertKey:
        if (HISTORYKEY != 0 && e.keyCode == HISTORYKEY)
            RecallField(window().focusControl());
        break;
    case EventKind::Rejected:
        level = OnRejected();
        break;
    case EventKind::Selected:
        level = OnSelected();
        break;
    default:
        break;
    }
    if (level != Level::Benign)
        return level;
    if (e.control != 0) {
        if (const int field = OnFieldEvent(); field != Level::Benign)
            return field;
    }
    // A part that handles the event marks it handled; the others still see it.
    for (AbstractBrowse *browse : BROWSES) {
        if (browse->TakeEvent() == Level::Notify)
            level = Level::Notify;
    }
    for (FileDrop *drop : FILEDROPS) {
        if (drop->TakeEvent(e) == Level::Notify)
            level = Level::Notify;
    }
    if (RESIZE && e.kind == EventKind::Sized)
        RESIZE->Resize();
    if (AUTOREFRESH) {
        for (AbstractBrowse *browse : BROWSES) {
            if (browse->NeedRefresh())
                Reset(0);
        }
    }
    return level;
}

int WindowController::OnWindowEvent()
{
    switch (event().kind) {
    case EventKind::OpenWindow:
        if (!(INITED & InitedOpen))
            FirstOpen();
        if (FIRSTFIELD != 0)
            window().select(FIRSTFIELD);
        return Level::Benign;
    case EventKind::LoseFocus:
        if (RESETONGAINFOCUS)
            FORCEDRESET = 1;
        return Level::Benign;
    case EventKind::GainFocus:
        if (INITED & InitedOpen)
            Reset(0);
        else
            FirstOpen();
        if (TOOLBAR)
            TOOLBAR->DisplayButtons();
        return Level::Benign;
    case EventKind::Sized:
        if (!(INITED & InitedSized))
            INITED |= InitedSized;
        else
            Reset(0);
        return Level::Benign;
    case EventKind::Completed:
        return OnCompleted();
    case EventKind::CloseWindow:
    case EventKind::CloseDown:
        return OnCloseRequest();
    default:
        return Level::Benign;
    }
}

void WindowController::FirstOpen()
{
    if (TRANSLATOR)
        TRANSLATOR->TranslateWindow(window());
    Reset(0);
    INITED |= InitedOpen;
    if (TOOLBAR)
        TOOLBAR->DisplayButtons();
}

void WindowController::Reset(std::uint8_t force)
{
    if (window().isValidating())
        return;
    const std::uint8_t forced = std::exchange(FORCEDRESET, std::uint8_t{0});
    const auto total = static_cast<std::uint8_t>(force + forced);
    for (AbstractBrowse *browse : BROWSES)
        browse->ResetSort(total);
    for (AbstractBrowse *browse : BROWSES)
        browse->UpdateWindow();
    for (FileDrop *drop : FILEDROPS)
        drop->ResetQueue(total);
    window().redisplay();
}

int WindowController::OnAccepted()
{
    const int control = event().control;
    if (TOOLBAR) {
        TOOLBAR->TakeEvent(control);
        if (control == ToolbarButton::History)
            RecallField(window().focusControl());
    }
    for (const ButtonResponse &button : BUTTONS) {
        if (button.control == control) {
            CloseWithResponse(button.response);
            return Level::Notify;
        }
    }
    if (OKCONTROL != 0 && control == OKCONTROL) {
        if (ORIGINALREQUEST == Request::Insert || ORIGINALREQUEST == Request::Change)
            window().validateAll();
        else
            window().post(EventKind::Completed);
    }
    return Level::Benign;
}

void WindowController::CloseWithResponse(int response)
{
    RESPONSE = static_cast<std::uint8_t>(response);
    window().post(EventKind::CloseWindow);
    if (response == Response::Cancelled && TOOLBAR && VCRREQUEST)
        *VCRREQUEST = 0;
}

void WindowController::pressOk()
{
    if (OKCONTROL != 0)
        window().post(EventKind::Accepted, OKCONTROL);
    else
        window().post(EventKind::Completed);
}

int WindowController::OnNewSelection()
{
    if (window().kind(event().control) == ControlKind::Sheet) {
        Reset(0);
        if (AUTOTOOLBAR && TOOLBAR)
            TOOLBAR->SetTarget(0);
    }
    return Level::Benign;
}

int WindowController::OnRejected()
{
    const int control = event().control;
    MessagePresenter &presenter = errors().presenter();
    presenter.beep(150, 16);
    // Said, not only beeped: what is wrong with the input and what the field takes.
    const InputRefusal refusal = window().refusal(control);
    if (!refusal.reason.isEmpty()) {
        QString text = refusal.reason;
        if (!refusal.field.isEmpty())
            text = QStringLiteral("„%1“:|").arg(refusal.field) + text;
        if (refusal.replacement) {
            text += QStringLiteral("||Soll stattdessen „%1“ übernommen werden?")
                        .arg(*refusal.replacement);
            const int answer = presenter.show("ACHTUNG",
                                              text.toStdString(),
                                              MessageIcon::Question,
                                              MessageButton::Yes | MessageButton::No,
                                              MessageButton::Yes);
            if (answer == MessageButton::Yes) {
                window().putInput(control, *refusal.replacement);
                window().post(EventKind::Accepted, control);
                return Level::Benign;
            }
        } else {
            presenter.show("ACHTUNG",
                           text.toStdString(),
                           MessageIcon::Warning,
                           MessageButton::Ok,
                           MessageButton::Ok);
        }
    }
    if (!refusal.keepsInput)
        window().redisplay(control);
    window().select(control);
    return Level::Benign;
}

int WindowController::OnSelected()
{
    return Level::Benign;
}

int WindowController::OnFieldEvent()
{
    return Level::Benign;
}

int WindowController::RunProcedure(int, int)
{
    return Response::Cancelled;
}

void WindowController::ArmAlertKeys()
{
    for (AbstractBrowse *browse : BROWSES)
        browse->ArmAlertKeys();
    if (HISTORYKEY == 0)
        return;
    for (const HistoryEntry &entry : HISTORY)
        window().addAlertKey(entry.control, HISTORYKEY);
}

void WindowController::RecallField(int control)
{
    const auto it = std::find_if(HISTORY.begin(), HISTORY.end(), [control](const auto &entry) {
        return entry.control == control;
    });
    if (it == HISTORY.end())
        return;
    const FieldDef &field = it->record->def().fields[it->field];
    std::memcpy(it->record->data() + field.offset, it->history->data() + field.offset, field.size);
    window().redisplay(control);
}

void WindowController::UpdateFromWindow()
{
    for (AbstractBrowse *browse : BROWSES)
        browse->UpdateBuffer();
}

int WindowController::Shutdown()
{
    if (DEAD || !m_listsCreated)
        return Level::Notify;
    for (AbstractBrowse *browse : BROWSES)
        browse->Kill();
    BROWSES.clear();
    for (FileDrop *drop : FILEDROPS)
        drop->Kill();
    FILEDROPS.clear();
    BUTTONS.clear();
    HISTORY.clear();
    for (const SavedFile &saved : FILES) {
        if (saved.snapshot != 0)
            saved.file->RestoreSnapshot(saved.snapshot, false);
    }
    FILES.clear();
    if (SAVED != 0 && PRIMARY)
        PRIMARY->ME->RestoreSnapshot(SAVED, false);
    SAVED = 0;
    if (TOOLBAR)
        TOOLBAR->Kill();
    if (RESIZE)
        RESIZE->Kill();
    DEAD = 1;
    return Level::Benign;
}

// --- registration ---------------------------------------------------------------------------

void WindowController::AddBrowse(AbstractBrowse &browse)
{
    BROWSES.push_back(&browse);
    if (REQUEST == Request::Select)
        browse.SetSelecting(true);
}

void WindowController::AddButton(int control, int response)
{
    BUTTONS.push_back({control, static_cast<std::uint8_t>(response)});
}

void WindowController::AddFileDrop(FileDrop &drop)
{
    FILEDROPS.push_back(&drop);
}

void WindowController::AddSavedFile(FileManager &file)
{
    FILES.push_back({&file, 0});
}

void WindowController::AddHistoryArea(RecordBuffer &record, RecordBuffer &history)
{
    if (record.file() != history.file())
        throw std::invalid_argument("a history area has the layout of its record");
    m_historyRecord = &record;
    m_historyArea = &history;
}

void WindowController::AddHistoryControl(int control, int field)
{
    if (!m_historyRecord)
        throw std::logic_error("AddHistoryControl before AddHistoryArea");
    if (field < 0 || field >= m_historyRecord->def().fieldCount)
        throw std::out_of_range("no such field in the history area");
    const HistoryEntry entry{m_historyRecord, m_historyArea, control, field};
    const auto at = std::upper_bound(HISTORY.begin(),
                                     HISTORY.end(),
                                     control,
                                     [](int c, const HistoryEntry &e) { return c < e.control; });
    HISTORY.insert(at, entry);
}

void WindowController::SetToolbar(Toolbar &toolbar)
{
    TOOLBAR = &toolbar;
    toolbar.attach(*this, m_app.toolbarStrip());
}

void WindowController::SetResizer(WindowResizer &resizer)
{
    RESIZE = &resizer;
}

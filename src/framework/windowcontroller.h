#pragma once

#include "framework/appcontext.h"
#include "framework/eventwindow.h"
#include "framework/windowparts.h"
#include "store/layout.h"
#include "store/relationkeeper.h"

#include <cstdint>
#include <string>
#include <vector>

class ErrorManager;
class FileDrop;
class FileManager;
class RecordBuffer;
class Toolbar;
class WindowResizer;

// The window manager of one procedure: it runs the window's event loop, dispatches each event
// to a handler the procedure may override, and carries out the update-form cycle — prime a
// new record, notice changes, save on OK, ask before losing changes, insert another record —
// and the calls between procedures. Parts of the window (lists, the toolbar, the resizer,
// drop-down lists, recallable fields, further files) register with it and are called in
// registration order.
//
// Handlers answer a level (Level::): 0 carry on, 3 leave the event loop (from Init: do not
// run the window), 4 cancelled by the user, 5 the event is handled.
class WindowController
{
public:
    explicit WindowController(AppContext &app);
    virtual ~WindowController();
    WindowController(const WindowController &) = delete;
    WindowController &operator=(const WindowController &) = delete;

    struct ButtonResponse
    {
        int control = 0;
        std::uint8_t response = 0;
    };
    struct SavedFile
    {
        FileManager *file = nullptr;
        std::uint16_t snapshot = 0;
    };
    // A recallable field: field `field` of `record`, whose value at the last confirmed save
    // is kept in the same field of `history`.
    struct HistoryEntry
    {
        RecordBuffer *record = nullptr;
        RecordBuffer *history = nullptr;
        int control = 0;
        int field = 0;
    };
    // INITED bits.
    static constexpr std::uint8_t InitedOpen = 1;
    static constexpr std::uint8_t InitedSized = 2;

    std::uint8_t AUTOREFRESH = 1;
    std::uint8_t AUTOTOOLBAR = 1;
    std::vector<AbstractBrowse *> BROWSES;
    std::vector<ButtonResponse> BUTTONS;
    std::vector<FileDrop *> FILEDROPS;
    // Bits: 1 save, 2 ask. 3 asks whether to save, 1 saves, 2 asks whether to abandon.
    std::uint8_t CANCELACTION = 3;
    std::uint8_t CHANGEACTION = 1;
    std::uint8_t DEAD = 0;
    // 2 deletes at once after confirmation, 4 at once without; otherwise the form is shown
    // and OK deletes.
    std::uint8_t DELETEACTION = 2;
    ErrorManager *ERRORS = nullptr;
    std::vector<SavedFile> FILES;
    std::int32_t FIRSTFIELD = 0;
    std::uint8_t FORCEDRESET = 0;
    std::uint8_t RESETONGAINFOCUS = 0;
    std::vector<HistoryEntry> HISTORY; // ordered by control
    std::int32_t HISTORYKEY = 0;
    std::uint8_t INITED = 0;
    // After an insert: 2 close, 3 insert another, 4 ask ("Record Added") whether to.
    std::uint8_t INSERTACTION = 2;
    std::string LASTINSERTEDPOSITION;
    std::int32_t OKCONTROL = 0;
    std::uint8_t OPENED = 0;
    std::uint8_t ORIGINALREQUEST = 0;
    RelationKeeper *PRIMARY = nullptr;
    std::uint8_t REQUEST = 0;
    WindowResizer *RESIZE = nullptr;
    std::uint8_t RESPONSE = 0;
    std::uint16_t SAVED = 0;
    Toolbar *TOOLBAR = nullptr;
    Translator *TRANSLATOR = nullptr;
    std::int32_t *VCRREQUEST = nullptr;

    // In slot order.
    virtual void EventLoop();
    virtual int Init();
    virtual int Shutdown();
    virtual void FirstOpen();
    virtual void FillNewRecord();
    virtual int PrepareRequest();
    virtual void Reset(std::uint8_t force = 0);
    virtual void RecallField(int control);
    virtual int Run();
    virtual int RunProcedure(int number, int request);
    virtual void ArmAlertKeys();
    virtual void CloseWithResponse(int response);
    virtual int OnAccepted();
    virtual int OnCompleted();
    virtual int OnCloseRequest();
    virtual int OnEvent();
    virtual int OnFieldEvent();
    virtual int OnNewSelection();
    virtual int OnRejected();
    virtual int OnSelected();
    virtual int OnWindowEvent();
    virtual void UpdateFromWindow();

    // Registration, called in Init.
    void AddBrowse(AbstractBrowse &browse);
    void AddButton(int control, int response);
    void AddFileDrop(FileDrop &drop);
    void AddSavedFile(FileManager &file);
    void AddHistoryArea(RecordBuffer &record, RecordBuffer &history);
    // A control of the last history area and the field it shows.
    void AddHistoryControl(int control, int field);
    template<FieldType T>
    void AddHistoryControl(int control, Field<T> field)
    {
        AddHistoryControl(control, static_cast<int>(field.index));
    }
    void SetToolbar(Toolbar &toolbar);
    void SetResizer(WindowResizer &resizer);

    AppContext &app() const { return m_app; }
    // The window the controller drives; set before the event loop runs.
    EventWindow &window() const;
    bool hasWindow() const { return m_window != nullptr; }
    const WindowEvent &event() const { return window().currentEvent(); }
    // OK as the user would press it: accepted to OKCONTROL, or completed without one.
    void pressOk();

protected:
    void setWindow(EventWindow *window) { m_window = window; }

    // A record of another file that the form edits beside its primary record: saved on OK
    // in the same transaction, so that neither is kept without the other. `changed` makes
    // a change of the record alone count as a change of the form. None by default.
    struct Companion
    {
        CompanionWrite write;
        bool changed = false;
    };
    virtual Companion CompanionRecord() { return {}; }

private:
    int completeInsert();
    int completeChange();
    int completeDelete();
    // Refused: the user's input stays, the first field gets the focus.
    int stayOnForm();
    std::int32_t pendingRecordMove() const { return VCRREQUEST ? *VCRREQUEST : 0; }
    // ERRORS, or the store's when the procedure registered none.
    ErrorManager &errors() const;

    AppContext &m_app;
    EventWindow *m_window = nullptr;
    // The area AddHistoryControl adds to.
    RecordBuffer *m_historyRecord = nullptr;
    RecordBuffer *m_historyArea = nullptr;
    bool m_listsCreated = false;
};

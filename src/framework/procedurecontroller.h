#pragma once

#include "framework/toolbar.h"
#include "framework/windowcontroller.h"
#include "framework/windowresizer.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class FormBuilder;
class ProcWindow;
class StoreContext;

// A window-manager procedure as every procedure of the system is written: Init and Shutdown
// in the one fixed order, its window an MDI window of the frame. A procedure says in its
// constructor what it works on (its file, its OK and cancel buttons, further files), lays out
// and binds its controls in defineWindow, and overrides the handlers it needs:
//
//     class Updatetransport : public ProcedureController
//     {
//     public:
//         explicit Updatetransport(AppContext &app)
//             : ProcedureController(app, "Updatetransport", u"Transport-Kosten"_s)
//         {
//             setPrimary(FileId::transport, 10, 11);
//         }
//
//     protected:
//         void defineWindow(FormBuilder &form) override
//         {
//             form.entry(1, u"Bezeichnung"_s, TRA::TBEZ, u"@s35"_s);
//             form.entry(2, u"Preis"_s, TRA::TPR, u"@n10.2"_s);
//             form.okCancel(10, 11);
//         }
//     };
class ProcedureController : public WindowController
{
public:
    ProcedureController(AppContext &app, std::string name, QString title);
    ~ProcedureController() override;

    int Init() override;
    int Shutdown() override;

    const std::string &name() const { return m_name; }
    StoreContext &store() const;
    // The record buffers of the procedure's thread.
    Records &records() const;
    // The window; null before Init has opened it and after Shutdown.
    ProcWindow *procWindow() const { return m_procWindow.get(); }

    // Refuses what was entered: a beep, an "ACHTUNG" box with `text` and the focus on
    // `control`, to be corrected there. Level::Notify, for the handler to return.
    int refuseEntry(const std::string &text, int control);

protected:
    // What the procedure works on, said in its constructor.
    // An update form on `file`, saved by `okControl`, left by `cancelControl`.
    void setPrimary(FileId file, int okControl, int cancelControl);
    // A further file whose relation manager the procedure opens and closes.
    void useFile(FileId file);
    void setCancelControl(int control) { m_cancelControl = control; }
    // Fields the procedure registers with recallField get the history key (Ctrl+').
    void setHistoryKey(int keyCode) { m_historyKey = keyCode; }
    // Procedures register the frame's toolbar; a procedure may do without it.
    void setToolbarUsed(bool used) { m_toolbarUsed = used; }

    // Init, after the defaults: the procedure's own settings and registrations
    // (INSERTACTION, AddSavedFile, recallField ...).
    virtual void registerParts() {}
    // The window's controls, laid out and bound.
    virtual void defineWindow(FormBuilder &form) = 0;
    // After the window has opened: lists, locators, drop-down lists.
    virtual void setUpWindow() {}

    // Registers `control` as recallable: it shows `field` of this thread's record, whose
    // value at the last confirmed save is kept in the procedure's history area.
    template<FieldType T>
    void recallField(int control, Field<T> field)
    {
        addHistoryField(control, field.file, field.index);
    }

private:
    class WindowEvents;
    void addHistoryField(int control, FileId file, int field);
    void openWindow();

    std::string m_name;
    QString m_title;
    std::optional<FileId> m_primary;
    std::vector<FileId> m_files;
    std::vector<FileId> m_opened;
    int m_okControl = 0;
    int m_cancelControl = 0;
    int m_historyKey = 0;
    bool m_toolbarUsed = true;
    bool m_procedureSet = false;
    Toolbar m_toolbar;
    WindowResizer m_resizer;
    std::unique_ptr<ProcWindow> m_procWindow;
    std::unique_ptr<WindowEvents> m_events;
};

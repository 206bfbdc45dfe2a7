#pragma once

#include "framework/dialogs.h"
#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "support/qstringprint.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

class QMainWindow;
class QMdiArea;

// "Accepted 3", "AlertKey 5 key 113 'a'", "ScrollDrag 7 thumb 40", "OpenWindow": events the
// way tests compare them.
QString describe(const WindowEvent &event);

// A procedure's event loop for tests: each event is noted in `log` and then given to
// `handle`, which returns false to leave the loop. Without a handler a close request closes
// the window. Returns when the window has closed or the handler left.
void runEvents(ProcWindow &window,
               QStringList &log,
               const std::function<bool(const WindowEvent &)> &handle = {});

// Drives procedures offscreen the way a user would: a host frame with an MDI area, the
// procedure scheduler and the message presenter, and hands that type, press, pick and
// answer. Every action runs the Qt loop afterwards until each procedure waits again.
class GuiHarness
{
public:
    // One at a time, as the program has one scheduler: throws while another is alive.
    GuiHarness();
    // Unwinds the procedures still waiting, then removes the frame.
    ~GuiHarness();
    GuiHarness(const GuiHarness &) = delete;
    GuiHarness &operator=(const GuiHarness &) = delete;

    QMainWindow *frame() const { return m_frame.get(); }
    QMdiArea *area() const { return m_area; }
    ProcedureThreads &threads() { return *m_threads; }
    GuiMessagePresenter &messages() { return m_messages; }

    // Starts a procedure and runs the loop until it (and every other) waits.
    std::uint32_t start(const QString &name, std::function<void()> body);
    // Runs the Qt loop until every procedure waits for something outside; false if that
    // does not happen (a procedure that never stops running).
    bool settle();

    // The open procedure window with this title; nullptr if none.
    ProcWindow *window(const QString &title) const;

    // Replaces the text of entry `control` and presses Enter.
    void type(ProcWindow *window, int control, const QString &text);
    // A key pressed in the control (or in the list view of a list control).
    void key(ProcWindow *window,
             int control,
             Qt::Key key,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void focus(ProcWindow *window, int control);
    // Clicks a button or check box.
    void press(ProcWindow *window, int control);
    // Clicks an option of a radio group, an entry of a drop list (both from 1).
    void chooseOption(ProcWindow *window, int control, int option);
    void chooseEntry(ProcWindow *window, int control, int entry);
    // Clicks row `row` (from 1) of a list control; `right` for the right button.
    void pickRow(ProcWindow *window, int control, int row, bool right = false);
    void doubleClickRow(ProcWindow *window, int control, int row);
    // Clicks tab `tab` (from 1) of a tab sheet.
    void switchTab(ProcWindow *window, int control, int tab);
    void closeBox(ProcWindow *window);

    struct Message
    {
        QString title;
        QString text;
    };
    // Message boxes open now, oldest first.
    QList<Message> openMessages() const;
    // Answers the open message box (the one with `title`, or the newest) with a
    // MessageButton; its title and text, or nothing when no such box is open.
    std::optional<Message> answer(int button, const QString &title = {});
    // Accepts the open file dialog with this file name; false if none is open.
    bool answerFileDialog(const QString &fileName);
    // Chooses an item of the open popup menu by its text; false if there is none.
    bool choosePopupItem(const QString &text);

    // The text a control shows (entry, label, button, drop list, text).
    QString text(ProcWindow *window, int control) const;
    bool grab(ProcWindow *window, const QString &pngPath) const;

private:
    QWidget *widget(ProcWindow *window, int control) const;

    std::unique_ptr<QMainWindow> m_frame;
    QMdiArea *m_area = nullptr;
    std::unique_ptr<ProcedureThreads> m_threads;
    GuiMessagePresenter m_messages;
};

#pragma once

#include "framework/controlvalues.h"
#include "framework/windowevent.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>

class ListControl;
class QKeyEvent;
class QTimer;

// The window of a procedure: an MDI sub-window of the host area with numbered controls.
// What the user does arrives as events in the window's own queue, which the procedure takes
// one at a time with nextEvent(); while the queue is empty the procedure's fiber is
// suspended and every other window stays usable.
//
// Widget signals become events: a button click → Accepted; an entry left after an edit, or
// Enter → Accepted; focus entering a control → Selected; a tab or list row chosen →
// NewSelection; a drop-list entry picked → NewSelection, then Accepted; a key armed as alert
// key → AlertKey; list scrolling → the scroll events (see ListControl);
// the close box → CloseWindow (the window does not close by itself: the procedure decides
// and calls close()). Opening queues OpenWindow and then one Sized; every later change of
// size gives Sized, activation changes give GainFocus and LoseFocus.
//
// A bound control's input is taken into its value when the procedure takes the control's
// Accepted event; input that does not fit the picture turns that event into Rejected.
// updateFromWindow() takes every bound control, redisplay() shows the values again.
//
// A window opened by a procedure that already has one open is a called form: the caller's
// window is disabled until the called one closes, and its events wait in its queue.
class ProcWindow : public QObject
{
    Q_OBJECT

public:
    ProcWindow(QMdiArea *host, const QString &title, QObject *parent = nullptr);
    ~ProcWindow() override;

    // The widget the procedure lays its controls out on; part of the sub-window.
    QWidget *content() const { return m_content; }
    QMdiSubWindow *subWindow() const { return m_sub; }
    // The procedure thread that created the window and takes its events.
    std::uint32_t thread() const { return m_thread; }

    // Controls. `label` becomes the control's accessible name; without one a button's or
    // group's own text (without '&') is used.
    void addControl(int number, QWidget *widget, const QString &label = {});
    QWidget *control(int number) const;
    ListControl *list(int number) const;
    int controlOf(const QWidget *widget) const;
    ControlKind kind(int number) const;
    // Every control in tab order (the widgets' focus chain).
    QList<int> controlsInTabOrder() const;

    // Binding controls to values, shown with a display picture (see picture.h). Without a
    // picture a field is shown as its type suggests.
    void bind(int control, RecordBuffer &record, int field, const QString &picture = {});
    template<FieldType T>
    void bind(int control, RecordBuffer &record, Field<T> field, const QString &picture = {})
    {
        bind(control, record, field.index, picture);
    }
    void bind(int control, double &value, const QString &picture = {});
    void bind(int control, std::int32_t &value, const QString &picture = {});
    void bind(int control, QString &value, const QString &picture = {});
    void setCheckValues(int control, const FieldValue &on, const FieldValue &off);
    // The numbers an entry takes besides what its picture and field hold: a percentage up to
    // 100, say. Input outside them is refused with a message.
    void setRange(int control, double low, double high);
    // Window → values: every bound control, or one; false if some input was refused.
    bool updateFromWindow();
    bool updateFromWindow(int control);
    // Values → window.
    void redisplay();
    void redisplay(int control);
    // Why the control's last input was refused (its Rejected event); empty when it was not.
    InputRefusal refusal(int control) const;
    // Puts `text` into an entry as the user's input, to be taken with its next Accepted.
    void putInput(int control, const QString &text);

    // The button that Esc presses, as the user leaving the form would: 0 for none.
    void setCancelControl(int control) { m_cancelControl = control; }

    // Life of the window.
    void open();
    // Grows the window, while it still has the size it was opened with, to what its filled-in
    // content asks for, as far as the area allows.
    void growToContent(QSize sizedAs);
    void close();
    bool isOpen() const { return m_open && !m_closed; }
    // Waits for the next event (suspending the procedure); false once the window is closed.
    bool nextEvent(WindowEvent &event);
    const WindowEvent &currentEvent() const { return m_current; }
    // Queues an event behind those already waiting, so it comes after the current one.
    void post(const WindowEvent &event);
    void post(EventKind kind, int control = 0);
    // Another station changed a file: one such event per file waits in the queue at most.
    void postDataChanged(int file);
    // What the window itself does with an event its procedure leaves unhandled: a close
    // request closes it.
    void defaultAction(const WindowEvent &event);

    // Focus and validation.
    void select(int control);
    // Sends Accepted to each enabled input control in tab order, one per nextEvent(), and
    // then Completed. Selecting a control, stopValidation() or a refused input stops it.
    void validateAll();
    bool isValidating() const { return m_validating; }
    void stopValidation();
    int focusControl() const;

    void hide(int control);
    void unhide(int control);
    bool isHidden(int control) const;
    void enable(int control);
    void disable(int control);
    // Enabled or not, with its tooltip: `whyNot` says why a control that would do nothing is
    // disabled, `tip` what it does while it is enabled.
    void enableIf(int control, bool enabled, const QString &whyNot, const QString &tip = {});
    bool isDisabled(int control) const;
    // The choice of a list (highlighted row), tab sheet (tab), drop list (entry) or radio
    // group (option), from 1; 0 for none. Setting it sends no event.
    int choice(int control) const;
    void setChoice(int control, int choice);

    void setAlertKeys(int control, const QList<int> &keyCodes);
    void addAlertKey(int control, int keyCode);
    QList<int> alertKeys(int control) const;

    void beep();
    QString title() const;
    void setTitle(const QString &title);
    void restoreTitle();
    // A Timer event every `hundredths` (0: as often as the loop allows); one waits at most.
    void startTimer(int hundredths);
    void stopTimer();

    // Open windows in the order they were opened.
    static QList<ProcWindow *> openWindows();
    // The window the thread works in now: its last opened window that is still open.
    static ProcWindow *activeWindowOf(std::uint32_t thread);

    // Keeps the window disabled while something of its procedure stands in front of it (a
    // called form, a message box, a dialog). Nested holds count.
    void holdDisabled();
    void releaseDisabled();

    // Moves (and if need be shrinks) the window back into the area's visible part; done on
    // opening, and again when a form has sized itself after that.
    void keepInsideHost();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool pressCancel(const QKeyEvent *key);
    struct Control
    {
        QPointer<QWidget> widget;
        ControlKind kind = ControlKind::Other;
        ControlBinding binding;
        InputRefusal refusal;
        QSet<int> alertKeys;
        bool hidden = false;
        bool enterPressed = false;
    };

    // Changes the procedure makes itself are not the user's doing and give no events.
    class QuietScope
    {
    public:
        explicit QuietScope(ProcWindow *window)
            : m_window(window)
        {
            ++m_window->m_quiet;
        }
        ~QuietScope() { --m_window->m_quiet; }
        QuietScope(const QuietScope &) = delete;
        QuietScope &operator=(const QuietScope &) = delete;

    private:
        ProcWindow *m_window;
    };

    Control *find(int number);
    const Control *find(int number) const;
    void wire(int number, QWidget *widget);
    void watchKeys(QWidget *widget);
    void enqueue(const WindowEvent &event);
    void enqueue(EventKind kind, int control, int keyCode = 0);
    bool nextValidationEvent(WindowEvent &event);
    void takeAcceptedInput(WindowEvent &event);
    void onStateChanged(bool active);
    bool alertKey(QObject *watched, QEvent *event);
    void bindValue(int control, std::unique_ptr<BoundValue> value, const QString &picture);
    void noteWaiting();

    QPointer<QMdiArea> m_host;
    QPointer<QMdiSubWindow> m_sub;
    const QObject *m_subObject = nullptr; // the sub-window's address, for the event filter
    QPointer<QWidget> m_content;
    std::uint32_t m_thread;
    QString m_title;
    std::map<int, Control> m_controls;
    std::map<const QWidget *, int> m_byWidget;
    QList<WindowEvent> m_queue;
    WindowEvent m_current;
    QTimer *m_timer = nullptr;
    QPointer<ProcWindow> m_caller;
    // The caller's place when this window opened: the area maximises the window it activates
    // after a maximised one (a preview) closes, and the caller gets its own place back.
    QRect m_callerPlace;
    bool m_callerMaximized = false;
    QSize m_lastSize;
    QList<int> m_validation;
    int m_quiet = 0;
    int m_disabledHolds = 0;
    int m_cancelControl = 0;
    bool m_open = false;
    bool m_opening = false;
    bool m_closed = false;
    bool m_validating = false;
    bool m_closeDownTaken = false;
};

// Sends CloseDown to every open procedure window, as the main frame does when the user closes
// it. `whenEnded` runs (in `context`) once every procedure thread has ended, at once when
// none runs. A procedure that keeps its window open — it waits for further events after
// taking CloseDown — cancels the request, and `whenEnded` is then never called.
void closeDownProcedures(QObject *context, std::function<void()> whenEnded);

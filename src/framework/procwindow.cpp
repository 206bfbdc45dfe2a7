#include "framework/procwindow.h"

#include "framework/procedurethreads.h"
#include "store/procthread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

QList<ProcWindow *> &registry()
{
    static QList<ProcWindow *> windows;
    return windows;
}

// The main frame's request to close every procedure: it waits for the threads to end.
struct CloseDownRequest
{
    QPointer<QObject> context;
    std::function<void()> whenEnded;
    std::uint32_t requester = 0; // the frame's own thread, if it is a procedure; not awaited
    QMetaObject::Connection watch;
};

std::optional<CloseDownRequest> &closeDown()
{
    static std::optional<CloseDownRequest> request;
    return request;
}

void cancelCloseDown()
{
    if (closeDown()) {
        QObject::disconnect(closeDown()->watch);
        closeDown().reset();
    }
}

bool onlyRequesterLeft(const ProcedureThreads &threads, std::uint32_t requester)
{
    return threads.count() == 0 || (threads.count() == 1 && threads.isRunning(requester));
}

} // namespace

ProcWindow::ProcWindow(QMdiArea *host, const QString &title, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_content(new QWidget)
    , m_thread(ProcThread::current())
    , m_title(title)
{
    m_sub = new QMdiSubWindow;
    m_sub->setWidget(m_content);
    m_sub->setWindowTitle(title);
    m_subObject = m_sub;
    m_sub->installEventFilter(this);
    if (host)
        host->addSubWindow(m_sub);
    m_sub->hide();

    connect(m_sub,
            &QMdiSubWindow::windowStateChanged,
            this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if ((before ^ now) & Qt::WindowActive)
                    onStateChanged(now & Qt::WindowActive);
            });
    connect(m_sub, &QObject::destroyed, this, [this] {
        // The host went away with the window in it: the procedure finds it closed.
        m_closed = true;
        m_subObject = nullptr;
        registry().removeOne(this);
        if (ProcedureThreads *threads = ProcedureThreads::instance())
            threads->wake(m_thread);
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *before, QWidget *now) {
        if (!isOpen() || m_opening || !now || !m_content->isAncestorOf(now))
            return;
        const int control = controlOf(now);
        if (control != 0 && (!before || controlOf(before) != control))
            enqueue(EventKind::Selected, control);
    });
}

ProcWindow::~ProcWindow()
{
    close();
}

void ProcWindow::open()
{
    if (m_open || m_closed || !m_sub)
        return;
    m_caller = activeWindowOf(m_thread);
    if (m_caller) {
        m_caller->holdDisabled();
        if (m_caller->m_sub) {
            m_callerMaximized = m_caller->m_sub->isMaximized();
            m_callerPlace = m_callerMaximized ? m_caller->m_sub->normalGeometry()
                                              : m_caller->m_sub->geometry();
        }
    }
    registry().append(this);

    m_opening = true;
    m_sub->show();
    if (m_host) {
        keepInsideHost();
        m_host->setActiveSubWindow(m_sub);
    }
    m_opening = false;

    m_open = true;
    m_lastSize = m_sub->size();
    enqueue(EventKind::OpenWindow, 0);
    enqueue(EventKind::Sized, 0);
}

void ProcWindow::growToContent(QSize sizedAs)
{
    // A form is sized before its record is shown; a value that wraps (a date beside a long
    // label) or a notice shown for this record makes it taller than it was sized for. The
    // labels' new sizes are known once the pending layout requests have run. A size the user
    // gave the window (kept in the settings file) stays as it is.
    if (!m_sub || m_sub->size() != sizedAs)
        return;
    QTimer::singleShot(0, this, [this, sizedAs] {
        QMdiSubWindow *sub = m_sub;
        if (!sub || m_closed || !m_host || sub->size() != sizedAs || sub->isMaximized()
            || sub->isMinimized())
            return;
        const QWidget *content = sub->widget();
        if (!content)
            return;
        const QSize frame = sub->size() - content->size();
        const QSize wanted = sub->size().expandedTo(content->sizeHint() + frame);
        if (wanted == sub->size())
            return;
        sub->resize(wanted);
        keepInsideHost();
    });
}

void ProcWindow::keepInsideHost()
{
    // The area places a new window beside the ones already open, which may be past its right
    // or bottom edge; a window the user cannot see whole is moved back in as far as it fits.
    if (!m_host || !m_sub)
        return;
    const QRect visible = m_host->viewport()->rect();
    QRect frame = m_sub->geometry();
    if (visible.contains(frame))
        return;
    // A window larger than the area is made as small as the area, as far as its minimum allows:
    // a form's rows then scroll and its buttons stay in sight.
    const QSize least = m_sub->minimumSizeHint().expandedTo(m_sub->minimumSize());
    const QSize fitted = frame.size().boundedTo(visible.size()).expandedTo(least);
    if (fitted != frame.size()) {
        m_sub->resize(fitted);
        frame.setSize(fitted);
    }
    frame.moveLeft(std::max(0, std::min(frame.left(), visible.width() - frame.width())));
    frame.moveTop(std::max(0, std::min(frame.top(), visible.height() - frame.height())));
    m_sub->move(frame.topLeft());
}

void ProcWindow::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_validating = false;
    m_queue.clear();
    if (m_timer)
        m_timer->stop();
    registry().removeOne(this);
    if (ProcWindow *caller = m_caller) {
        m_caller = nullptr;
        caller->releaseDisabled();
        if (m_host && caller->m_sub) {
            m_host->setActiveSubWindow(caller->m_sub);
            if (!m_callerMaximized && caller->m_sub->isMaximized())
                caller->m_sub->showNormal();
            if (!m_callerMaximized && m_callerPlace.isValid())
                caller->m_sub->setGeometry(m_callerPlace);
        }
    }
    // Nothing of Qt's is on the stack here (the procedure runs from the loop's resume), so
    // the window can go at once.
    delete m_sub;
}

bool ProcWindow::nextEvent(WindowEvent &event)
{
    for (;;) {
        if (!isOpen())
            return false;
        if (!m_queue.isEmpty()) {
            event = m_queue.takeFirst();
            break;
        }
        if (m_validating && nextValidationEvent(event))
            break;
        noteWaiting();
        ProcedureThreads *threads = ProcedureThreads::instance();
        if (!threads || !threads->onProcedureThread() || ProcThread::current() != m_thread)
            throw std::logic_error("a window's events are taken by its own procedure");
        threads->suspend();
    }
    if (event.kind == EventKind::Accepted && event.control != 0)
        takeAcceptedInput(event);
    if (event.kind == EventKind::CloseDown)
        m_closeDownTaken = true;
    m_current = event;
    return true;
}

void ProcWindow::noteWaiting()
{
    // A procedure that waits for more after taking CloseDown keeps its window: the frame
    // stays open.
    if (m_closeDownTaken) {
        m_closeDownTaken = false;
        cancelCloseDown();
    }
}

bool ProcWindow::nextValidationEvent(WindowEvent &event)
{
    while (!m_validation.isEmpty()) {
        const int number = m_validation.takeFirst();
        const Control *c = find(number);
        if (!c || !c->widget || isDisabled(number) || isHidden(number))
            continue;
        event = WindowEvent{EventKind::Accepted, number};
        return true;
    }
    m_validating = false;
    event = WindowEvent{EventKind::Completed};
    return true;
}

void ProcWindow::takeAcceptedInput(WindowEvent &event)
{
    Control *c = find(event.control);
    if (!c || !c->widget || !takesInput(c->kind))
        return;
    c->refusal = {};
    if (!takeValue(c->widget, c->kind, c->binding, &c->refusal)) {
        c->refusal.field = c->widget->accessibleName().trimmed();
        event.kind = EventKind::Rejected;
        m_validating = false;
    }
}

void ProcWindow::post(const WindowEvent &event)
{
    if (!isOpen())
        return;
    m_queue.append(event);
    if (ProcedureThreads *threads = ProcedureThreads::instance())
        threads->wake(m_thread);
}

void ProcWindow::post(EventKind kind, int control)
{
    post(WindowEvent{kind, control});
}

void ProcWindow::postDataChanged(int file)
{
    const bool waiting = std::any_of(m_queue.begin(), m_queue.end(), [file](const auto &e) {
        return e.kind == EventKind::DataChanged && e.control == file;
    });
    if (!waiting)
        post(EventKind::DataChanged, file);
}

void ProcWindow::enqueue(const WindowEvent &event)
{
    if (m_quiet == 0)
        post(event);
}

void ProcWindow::enqueue(EventKind kind, int control, int keyCode)
{
    enqueue(WindowEvent{kind, control, keyCode});
}

void ProcWindow::defaultAction(const WindowEvent &event)
{
    if (event.kind == EventKind::CloseWindow || event.kind == EventKind::CloseDown)
        close();
}

void ProcWindow::validateAll()
{
    m_validation.clear();
    for (int number : controlsInTabOrder()) {
        if (takesInput(kind(number)))
            m_validation.append(number);
    }
    m_validating = true;
}

void ProcWindow::stopValidation()
{
    m_validating = false;
    m_validation.clear();
}

bool ProcWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The sub-window still sends events while it is destroyed (its children leave it), when it
    // is a mere QWidget no longer: it is recognised by its address and read from the event,
    // never through m_sub, whose cast to a sub-window would then be wrong.
    if (watched == m_subObject) {
        if (event->type() == QEvent::Close && !m_closed) {
            // The close box asks; the procedure decides.
            event->ignore();
            enqueue(EventKind::CloseWindow, 0);
            return true;
        }
        if (event->type() == QEvent::KeyPress && pressCancel(static_cast<QKeyEvent *>(event)))
            return true;
        if (event->type() == QEvent::Resize && isOpen() && !m_opening) {
            const QSize size = static_cast<QResizeEvent *>(event)->size();
            if (size != m_lastSize) {
                m_lastSize = size;
                enqueue(EventKind::Sized, 0);
            }
        }
        return false;
    }
    return alertKey(watched, event);
}

bool ProcWindow::pressCancel(const QKeyEvent *key)
{
    // Esc reaches the window when no control of it wanted the key (an open drop list takes
    // it first, to close itself).
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || !isOpen())
        return false;
    auto *cancel = qobject_cast<QAbstractButton *>(control(m_cancelControl));
    if (!cancel || !cancel->isVisible() || !cancel->isEnabled() || !m_sub->isEnabled())
        return false;
    cancel->click();
    return true;
}

void ProcWindow::onStateChanged(bool active)
{
    if (!isOpen() || m_opening)
        return;
    enqueue(active ? EventKind::GainFocus : EventKind::LoseFocus, 0);
}

void ProcWindow::beep()
{
    QApplication::beep();
}

QString ProcWindow::title() const
{
    return m_sub ? m_sub->windowTitle() : m_title;
}

void ProcWindow::setTitle(const QString &title)
{
    if (m_sub)
        m_sub->setWindowTitle(title);
}

void ProcWindow::restoreTitle()
{
    setTitle(m_title);
}

void ProcWindow::startTimer(int hundredths)
{
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, [this] {
            const bool waiting = std::any_of(m_queue.begin(), m_queue.end(), [](const auto &e) {
                return e.kind == EventKind::Timer;
            });
            if (!waiting)
                enqueue(EventKind::Timer, 0);
        });
    }
    m_timer->start(std::max(0, hundredths) * 10);
}

void ProcWindow::stopTimer()
{
    if (m_timer)
        m_timer->stop();
}

QList<ProcWindow *> ProcWindow::openWindows()
{
    return registry();
}

ProcWindow *ProcWindow::activeWindowOf(std::uint32_t thread)
{
    const QList<ProcWindow *> &windows = registry();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->m_thread == thread && (*it)->isOpen())
            return *it;
    }
    return nullptr;
}

void ProcWindow::holdDisabled()
{
    ++m_disabledHolds;
    if (m_sub)
        m_sub->setEnabled(false);
}

void ProcWindow::releaseDisabled()
{
    if (m_disabledHolds > 0 && --m_disabledHolds == 0 && m_sub)
        m_sub->setEnabled(true);
}

void closeDownProcedures(QObject *context, std::function<void()> whenEnded)
{
    cancelCloseDown();
    ProcedureThreads *threads = ProcedureThreads::instance();
    const std::uint32_t requester
        = threads && threads->onProcedureThread() ? ProcThread::current() : 0;
    if (!threads || onlyRequesterLeft(*threads, requester)) {
        whenEnded();
        return;
    }
    CloseDownRequest &request = closeDown().emplace();
    request.context = context;
    request.whenEnded = std::move(whenEnded);
    request.requester = requester;
    request.watch = QObject::connect(threads, &ProcedureThreads::threadEnded, context, [threads] {
        if (!closeDown() || !onlyRequesterLeft(*threads, closeDown()->requester))
            return;
        const std::function<void()> done = std::move(closeDown()->whenEnded);
        cancelCloseDown();
        done();
    });
    for (ProcWindow *window : ProcWindow::openWindows()) {
        if (window->thread() != requester)
            window->post(EventKind::CloseDown);
    }
}

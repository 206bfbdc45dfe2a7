#include "framework/changewatch.h"

#include "framework/procwindow.h"
#include "store/engine.h"

ChangeWatch::ChangeWatch(Engine &engine)
    : m_engine(engine)
{
    if (!m_engine.tellsChanges())
        return;
    m_engine.listenForChanges();
    connect(&m_poll, &QTimer::timeout, this, &ChangeWatch::deliver);
    m_poll.start(kPollMs);
    followSocket();
}

void ChangeWatch::followSocket()
{
    const int socket = m_engine.changeSocket();
    if (socket == m_socket && (m_notifier || socket < 0))
        return;
    delete m_notifier.data();
    m_socket = socket;
    if (socket < 0)
        return;
    m_notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_notifier.data(), &QSocketNotifier::activated, this, &ChangeWatch::deliver);
}

void ChangeWatch::deliver()
{
    // A step of a procedure may have made a new connection since the last ask; the old
    // descriptor must not be watched once the engine has let go of it.
    if (m_notifier)
        m_notifier->setEnabled(false);
    const std::vector<FileId> files = m_engine.changedElsewhere();
    followSocket();
    if (m_notifier)
        m_notifier->setEnabled(true);
    if (files.empty())
        return;
    for (ProcWindow *window : ProcWindow::openWindows()) {
        for (const FileId file : files)
            window->postDataChanged(static_cast<int>(file));
    }
}

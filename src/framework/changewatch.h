#pragma once

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

class Engine;

// Hears of other stations' writes where the engine tells them (a database server that several
// stations share) and hands each open window a DataChanged event per changed file, so that a
// list on that file reloads its page. The engine's socket is watched by a notifier on the GUI
// thread, never waited for; a timer asks as well, for news the engine read while it answered a
// statement and for a socket that changed with a new connection. With an engine that tells
// nothing it does nothing.
class ChangeWatch : public QObject
{
public:
    // Milliseconds between the timer's asks.
    static constexpr int kPollMs = 400;

    explicit ChangeWatch(Engine &engine);

    // Asks the engine now and hands on what it heard.
    void deliver();

private:
    void followSocket();

    Engine &m_engine;
    QTimer m_poll;
    QPointer<QSocketNotifier> m_notifier;
    int m_socket = -1;
};

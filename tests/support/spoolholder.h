#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Another program's report spool in a folder: a shell makes it under the name a spool has,
// with its own process id, locks it and sleeps with the lock held until it is killed. Killed,
// it leaves the spool behind as a program killed during a report does.
class SpoolHolder
{
public:
    explicit SpoolHolder(const QString &folder)
    {
        m_process.start(QStringLiteral("sh"),
                        {QStringLiteral("-c"),
                         QStringLiteral("f=\"$0/tessaro-spool-$$-5eedc0de.tsp\"; exec 9>\"$f\"; "
                                        "flock -x 9; echo \"$f\"; exec sleep 300"),
                         folder});
        if (m_process.waitForStarted(10000) && m_process.waitForReadyRead(10000))
            m_file = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SpoolHolder() { kill(); }
    SpoolHolder(const SpoolHolder &) = delete;
    SpoolHolder &operator=(const SpoolHolder &) = delete;

    // The spool's path; empty when the shell could not make it.
    QString file() const { return m_file; }
    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
    QString m_file;
};

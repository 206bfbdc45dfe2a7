#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Another program's report spool in a folder: a program of its own (spoolholdermain.cpp)
// makes it as the preview does and sleeps with it open until it is killed. Killed, it leaves
// the spool and its lock behind as a program killed during a report does. Test targets that
// use it call tessaro_use_spoolholder() in their CMakeLists.
class SpoolHolder
{
public:
    explicit SpoolHolder(const QString &folder)
    {
        m_process.start(QStringLiteral(TESSARO_SPOOLHOLDER), {folder});
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

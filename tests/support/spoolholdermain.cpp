// Another program with a report open: makes a page spool in the folder it is given, says the
// spool's path on its first line, and keeps it until it is killed.
#include "framework/report/pagespool.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    report::PageSpool spool(QString::fromLocal8Bit(argv[1]));
    if (!spool.isOpen())
        return 1;
    std::printf("%s\n", spool.fileName().toLocal8Bit().constData());
    std::fflush(stdout);
    QThread::sleep(300);
    return 0;
}

// Test helper: takes the single-instance lock given on the command line,
// says "locked" (or "refused") on stdout and then waits until it is killed.
#include "platform/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    telm::platform::SingleInstance instance(QString::fromLocal8Bit(argv[1]));
    const bool held = instance.tryAcquire();
    std::fputs(held ? "locked\n" : "refused\n", stdout);
    std::fflush(stdout);
    if (!held)
        return 1;
    return app.exec();
}

// A small program for the test that kills a test process with an X
// session: it starts a session and the program given on it, says
// "ready :N" once the program's window shows (or "none <why>" when no
// session can be had) and then waits to be killed.
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_xholder PROGRAM WINDOW-TITLE\n");
        return 2;
    }
    TXSession X;
    if (!X.Available()) {
        std::printf("none %s\n", qPrintable(X.Reason()));
        return 0;
    }
    if (!X.Start(QString::fromLocal8Bit(argv[1])) || X.WaitForWindow(QString::fromLocal8Bit(argv[2])).isEmpty()) {
        std::printf("failed\n");
        return 1;
    }
    std::printf("ready %s\n", qPrintable(X.Display()));
    std::fflush(stdout);
    for (;;)
        ::pause();
}

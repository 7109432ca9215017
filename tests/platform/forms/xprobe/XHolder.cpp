// A small program for the test that kills a test process with an X
// fixture: it starts a session and the program given on it, or with
// --server the server the forms tests run theirs on; says "ready :N" once
// the program's window shows or the server runs (or "none <why>" when no
// server can be had) and then waits to be killed.
#include "tests/support/XServer.h"
#include "tests/support/XSession.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

[[noreturn]] void HoldUntilKilled(const QString& Display)
{
    std::printf("ready %s\n", qPrintable(Display));
    std::fflush(stdout);
    for (;;)
        ::pause();
}

int HoldServer()
{
    TXServer X;
    if (!X.Ready()) {
        std::printf("none %s\n", qPrintable(X.Problem()));
        return 0;
    }
    HoldUntilKilled(X.Display());
}

int HoldSession(const char* Program, const char* Title)
{
    TXSession X;
    if (!X.Available()) {
        std::printf("none %s\n", qPrintable(X.Reason()));
        return 0;
    }
    if (!X.Start(QString::fromLocal8Bit(Program)) || X.WaitForWindow(QString::fromLocal8Bit(Title)).isEmpty()) {
        std::printf("failed\n");
        return 1;
    }
    HoldUntilKilled(X.Display());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--server") == 0)
        return HoldServer();
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_xholder PROGRAM WINDOW-TITLE | qv_xholder --server\n");
        return 2;
    }
    return HoldSession(argv[1], argv[2]);
}

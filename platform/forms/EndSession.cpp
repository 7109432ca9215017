#include "platform/forms/EndSession.h"

#include "platform/forms/Application.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> EndSignals = {SIGTERM, SIGHUP, SIGINT};

struct TSignalPipe {
    int Read = -1;
    int Write = -1;
    std::unique_ptr<QSocketNotifier> Notifier;
    std::function<void()> OnSignal;
};

TSignalPipe& SignalPipe()
{
    static TSignalPipe P;
    return P;
}

// The write end, for the handler: a plain int read once, no object.
volatile sig_atomic_t WriteEnd = -1;

extern "C" void EndSessionSignalHandler(int)
{
    const int SavedErrno = errno;
    const char Byte = 1;
    // A full pipe already holds a request that has not been seen.
    [[maybe_unused]] const ssize_t Written = ::write(WriteEnd, &Byte, 1);
    errno = SavedErrno;
}

void SignalsSeen()
{
    TSignalPipe& P = SignalPipe();
    char Bytes[64];
    while (::read(P.Read, Bytes, sizeof Bytes) > 0) {
    }
    if (P.OnSignal)
        P.OnSignal();
    else if (Application != nullptr)
        Application->EndSession();
}

void SetHandler(void (*Handler)(int))
{
    struct sigaction Action = {};
    Action.sa_handler = Handler;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    for (int Signal : EndSignals)
        ::sigaction(Signal, &Action, nullptr);
}

} // namespace

void InstallEndSessionSignals(std::function<void()> OnSignal)
{
    TSignalPipe& P = SignalPipe();
    P.OnSignal = std::move(OnSignal);
    if (P.Notifier)
        return;
    int Fds[2];
    if (::pipe2(Fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    P.Read = Fds[0];
    P.Write = Fds[1];
    WriteEnd = P.Write;
    P.Notifier = std::make_unique<QSocketNotifier>(P.Read, QSocketNotifier::Read);
    QObject::connect(P.Notifier.get(), &QSocketNotifier::activated, [] { SignalsSeen(); });
    SetHandler(EndSessionSignalHandler);
}

void RemoveEndSessionSignals()
{
    SetHandler(SIG_DFL);
    TSignalPipe& P = SignalPipe();
    P.Notifier.reset();
    P.OnSignal = {};
    WriteEnd = -1;
    for (int* Fd : {&P.Read, &P.Write})
        if (*Fd >= 0) {
            ::close(*Fd);
            *Fd = -1;
        }
}

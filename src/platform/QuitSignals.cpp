// Quit signals become the quit request; a second one starts the hurried exit. The handler only
// sets the flag and wakes the watchdog through a pipe, both safe inside a signal handler. The
// cleanups for signals that end the process at once run in a handler of their own.
#include "platform/QuitSignals.h"

#include "platform/QuitRequest.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int quitSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
// How long the main thread may take to end by itself after the second signal (finishing the
// part being written, skipping the rest) before the watchdog ends the process.
constexpr int hurryGraceMs = 1000;

int wakePipe[2] = {-1, -1};
std::atomic<bool> caught{false};
std::atomic<int> firstSignal{0};

void onQuitSignal(int signalNumber) {
    int savedErrno = errno;
    int none = 0;
    firstSignal.compare_exchange_strong(none, signalNumber);
    Sys_RequestQuit();
    unsigned char number = static_cast<unsigned char>(signalNumber);
    ssize_t written = write(wakePipe[1], &number, 1);
    (void)written; // a full pipe already holds enough wake-ups
    errno = savedErrno;
}

// Reads one signal number from the pipe; 0 when the pipe is gone.
int nextSignal() {
    for (;;) {
        unsigned char number = 0;
        ssize_t got = read(wakePipe[0], &number, 1);
        if (got == 1) return number;
        if (got < 0 && errno == EINTR) continue;
        return 0;
    }
}

// The first signal is the main thread's to handle. The second may come while the main thread
// is stuck (a slow encode, a box on screen): it gets a short grace to end by itself, cut short
// by a third signal, and then the process ends here with the files finished.
void watch() {
    if (nextSignal() == 0) return;
    int last = nextSignal();
    if (last == 0) return;
    pollfd another{wakePipe[0], POLLIN, 0};
    while (poll(&another, 1, hurryGraceMs) < 0 && errno == EINTR) {
    }
    std::quick_exit(128 + last);
}

} // namespace

void Sys_CatchQuitSignals() {
    if (caught.exchange(true)) return;
    if (pipe2(wakePipe, O_CLOEXEC) != 0)
        wakePipe[0] = wakePipe[1] = -1;
    else
        fcntl(wakePipe[1], F_SETFL, fcntl(wakePipe[1], F_GETFL) | O_NONBLOCK);
    if (wakePipe[0] >= 0) std::thread(watch).detach();
    for (int signalNumber : quitSignals) {
        struct sigaction current {};
        sigaction(signalNumber, nullptr, &current);
        if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = onQuitSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(signalNumber, &action, nullptr);
    }
}

bool Sys_AreQuitSignalsCaught() {
    return caught.load();
}

int Sys_QuitSignalNumber() {
    return firstSignal.load();
}

namespace {

constexpr int fatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int maxCleanups = 4;
void (*volatile cleanups[maxCleanups])() = {};
struct sigaction previousActions[NSIG];

bool isQuitSignal(int signalNumber) {
    for (int quit : quitSignals)
        if (quit == signalNumber) return true;
    return false;
}

// Runs the cleanups, then lets the signal do what it would have done without this handler: a
// crash returns to the faulting instruction (abort raises again) and meets the previous handler
// there; a quit signal is raised again with its previous (default) action.
void onEndingSignal(int signalNumber) {
    for (int k = 0; k < maxCleanups; ++k)
        if (cleanups[k]) cleanups[k]();
    sigaction(signalNumber, &previousActions[signalNumber], nullptr);
    if (isQuitSignal(signalNumber)) {
        sigset_t unblock;
        sigemptyset(&unblock);
        sigaddset(&unblock, signalNumber);
        sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
        raise(signalNumber);
    }
}

bool isDefaultAction(const struct sigaction& action) {
    return !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_DFL;
}

void installEndingHandler(int signalNumber) {
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == onEndingSignal) return;
    // A quit signal someone handles or ignores does not end the process at once: left alone.
    if (isQuitSignal(signalNumber) && !isDefaultAction(current)) return;
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, &previousActions[signalNumber]);
}

} // namespace

void Sys_AddSignalCleanup(void (*cleanup)()) {
    for (int k = 0; k < maxCleanups; ++k) {
        if (cleanups[k] == cleanup) break;
        if (!cleanups[k]) {
            cleanups[k] = cleanup;
            break;
        }
    }
    for (int signalNumber : fatalSignals)
        installEndingHandler(signalNumber);
    if (!Sys_AreQuitSignalsCaught())
        for (int signalNumber : quitSignals)
            installEndingHandler(signalNumber);
}

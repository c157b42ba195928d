#include "signal_quit.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace korvelle {

namespace {

constexpr int kCaught[] = {SIGTERM, SIGINT};

// The socket pair between the handler (writes to [0]) and the event loop
// (reads [1]); -1 while no SignalQuit lives.
int sockets[2] = {-1, -1};
struct sigaction before[sizeof kCaught / sizeof kCaught[0]];
struct sigaction beforeFileSize;

// Async-signal-safe: one write of one byte, errno kept.  A full socket
// drops the byte; one already waiting is enough to quit.
void Handle(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(sockets[0], &number, 1);
    errno = saved;
}

}  // namespace

SignalQuit::SignalQuit(std::function<void(int)> quit) : quit_(std::move(quit)) {
    if (sockets[0] != -1) throw std::logic_error("only one SignalQuit at a time");
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets) != 0) {
        sockets[0] = sockets[1] = -1;
        throw std::runtime_error("no socket for the signals");
    }
    notifier_ = std::make_unique<QSocketNotifier>(sockets[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Read(); });

    struct sigaction action {};
    action.sa_handler = Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kCaught); ++i) sigaction(kCaught[i], &action, &before[i]);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &beforeFileSize);
}

SignalQuit::~SignalQuit() {
    for (std::size_t i = 0; i < std::size(kCaught); ++i) sigaction(kCaught[i], &before[i], nullptr);
    sigaction(SIGXFSZ, &beforeFileSize, nullptr);
    notifier_.reset();
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

void SignalQuit::Read() {
    unsigned char number = 0;
    int last = 0;
    while (::read(sockets[1], &number, 1) == 1) last = number;
    if (last != 0) quit_(last);
}

}  // namespace korvelle

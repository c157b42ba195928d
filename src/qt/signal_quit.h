#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace korvelle {

// Ends the program cleanly on SIGTERM and SIGINT: the signal handler only
// writes the signal's number to a socket; the event loop reads it and calls
// `quit` there, where everything may be done (close the windows and any
// modal dialog, end the event loops), never inside the handler.  Whatever
// was in progress finishes first: a file being written is either whole or
// not there.
//
// While it lives, SIGXFSZ is ignored too, so that a file that reaches the
// system's size limit shows as a failed write, said as such, instead of
// ending the program half way through it.
//
// One at a time; the destructor puts back the earlier handlers.
class SignalQuit {
public:
    explicit SignalQuit(std::function<void(int signal)> quit);
    ~SignalQuit();
    SignalQuit(const SignalQuit&) = delete;
    SignalQuit& operator=(const SignalQuit&) = delete;

private:
    void Read();

    std::function<void(int)> quit_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace korvelle

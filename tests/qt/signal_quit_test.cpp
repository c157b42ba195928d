#include "qt/signal_quit.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QCoreApplication>
#include <csignal>
#include <vector>

namespace korvelle::testing {
namespace {

// Runs the event loop until `done` or a few seconds have passed.
template <typename Done>
bool RunUntil(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST(SignalQuit, TermAndIntArriveThroughTheEventLoop) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        std::vector<int> received;
        SignalQuit quit([&received](int s) { received.push_back(s); });
        std::raise(signal);
        EXPECT_TRUE(received.empty());  // nothing happens inside the handler
        ASSERT_TRUE(RunUntil([&] { return !received.empty(); }));
        EXPECT_EQ(received, std::vector<int>{signal});
    }
}

TEST(SignalQuit, ASignalDuringAModalDialogClosesIt) {
    QDialog dialog;
    SignalQuit quit([&dialog](int) { dialog.reject(); });
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);  // returns instead of waiting for the user
}

TEST(SignalQuit, WhileItLivesAFileSizeLimitDoesNotEndTheProgram) {
    struct sigaction now {};
    {
        SignalQuit quit([](int) {});
        sigaction(SIGXFSZ, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_IGN);
    }
    sigaction(SIGXFSZ, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);  // the earlier handlers are back
}

}  // namespace
}  // namespace korvelle::testing

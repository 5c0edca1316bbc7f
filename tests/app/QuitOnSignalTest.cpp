#include "QuitOnSignal.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

// Without the handler SIGTERM would end the whole test program here.
TEST(QuitOnSignal, TerminationEndsTheEventLoopNotTheProcess)
{
    dravinor::app::quitOnTerminationSignals(*qApp);
    bool stillRunAfterSignal = false;
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QTimer::singleShot(0, [&stillRunAfterSignal] { stillRunAfterSignal = true; });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(stillRunAfterSignal);

    QTimer::singleShot(0, [] { std::raise(SIGINT); });
    EXPECT_EQ(QApplication::exec(), 0);
}

#include "QuitOnSignal.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

// A language file's conversion error is shown at start-up, before the
// event loop runs: a termination then must end the box, and every box
// the start-up goes on to show, and be remembered for main().
TEST(Termination, DismissesABoxShownBeforeTheLoopRunsAndEveryLaterOne)
{
    dravinor::app::Termination termination(*qApp);
    QTimer::singleShot(0, &termination, [&termination] { termination.request(); });
    QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("\"x\" nie jest poprawną liczbą"), QMessageBox::Ok);
    EXPECT_NE(box.exec(), QMessageBox::Ok);
    EXPECT_TRUE(termination.requested());

    QMessageBox next(QMessageBox::Question, QString(), QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
    EXPECT_NE(next.exec(), QMessageBox::Yes);
    QFileDialog files;
    EXPECT_NE(files.exec(), QDialog::Accepted);
}

// A box open while the loop runs (a question, a file dialog) neither keeps
// the program alive nor is answered Yes.
TEST(Termination, EndsTheLoopWhileABoxIsOpen)
{
    dravinor::app::Termination termination(*qApp);
    int answer = -1;
    QTimer::singleShot(0, qApp, [&] {
        QTimer::singleShot(20, &termination, [&termination] { termination.request(); });
        QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("Port otwarty"), QMessageBox::Ok);
        answer = box.exec();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_NE(answer, -1);
    EXPECT_NE(answer, QMessageBox::Ok);
}

// Without the handler SIGTERM would end the whole test program here.
TEST(QuitOnSignal, TerminationEndsTheEventLoopNotTheProcess)
{
    dravinor::app::quitOnTerminationSignals(*qApp);
    bool stillRunAfterSignal = false;
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QTimer::singleShot(0, [&stillRunAfterSignal] { stillRunAfterSignal = true; });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(stillRunAfterSignal);
    EXPECT_TRUE(dravinor::app::terminationRequested());

    QTimer::singleShot(0, [] { std::raise(SIGINT); });
    EXPECT_EQ(QApplication::exec(), 0);
}

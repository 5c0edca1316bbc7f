// The window on a line that spoils the identify answers or falls silent
// mid-read: the title never shows a guessed version, and the status line
// says where the read stopped, in either language.
#include "TestLocations.h"
#include "WindowOnLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

const QString titlePrefix = QStringLiteral("Dravinor Zuv Telvar ver 1.03 - ");
// Frames the window sends at start-up: 1 the identify, 2..36 the reads of
// 1..35, 37 the identify after the read.
constexpr int identifyAfterRead = 37;

struct LineTrustWindow : dravinor::testing::WindowOnLine {
    QTemporaryDir files;
    QString previousFolder = QDir::currentPath();
    int frames = 0;

    // Beside the shipped language files; what is called with each frame's
    // number (from 1) before the controller hears it.
    void start(std::function<void(int)> what)
    {
        ASSERT_TRUE(QDir(files.path()).mkpath("lang"));
        for (const char* name : {"lang/polski.txt", "lang/russian.txt"})
            ASSERT_TRUE(
                QFile::copy(QString::fromStdString(dravinor::testing::sourceDir() + "/") + name, files.filePath(name)));
        ASSERT_TRUE(QDir::setCurrent(files.path()));
        controller.beforeWrite = [this, what = std::move(what)] { what(++frames); };
        startWith(true);
    }
    void TearDown() override
    {
        WindowOnLine::TearDown();
        QDir::setCurrent(previousFolder);
    }
};

}  // namespace

// Before, the first byte of the receive buffer was taken for the identity
// whatever had come: "wersja sterownika 4" from a read's 'D'.
TEST_F(LineTrustWindow, TitleNeverShowsAGuessedVersion)
{
    // From the identify after the read on, a stray byte comes ahead of
    // every answer: no identify is answered by the identity alone again.
    start([this](int frame) {
        if (frame >= identifyAfterRead)
            controller.injectBytes({0x44});
    });
    EXPECT_EQ(window->windowTitle(), titlePrefix + QString::fromUtf8("[ sterownik odpowiada, wersja nieznana ]"));
    EXPECT_FALSE(session->connection().identity());
    EXPECT_TRUE(session->port().controllerConnected()) << "the controller is there";
    window->chooseRussian();
    EXPECT_EQ(window->windowTitle(), titlePrefix + QString::fromUtf8("[ контроллер отвечает, версия неизвестна ]"));
    window->choosePolish();
    EXPECT_EQ(window->windowTitle(), titlePrefix + QString::fromUtf8("[ sterownik odpowiada, wersja nieznana ]"));
}

TEST_F(LineTrustWindow, ReadThatStopsSaysWhereAndHowManyItNeverAsked)
{
    // Silent from the read of address 9 on.
    start([this](int frame) { controller.setSilent(frame >= 10); });
    const QString polish = status(1);
    EXPECT_TRUE(polish.startsWith(
        QString::fromUtf8("Sterownik przestał odpowiadać przy adresie 9, o 26 dalszych parametrów nie pytano - "
                          "Nie odczytano 27 z 35 parametrów: ")))
        << polish.toStdString();
    EXPECT_EQ(status(2), polish);
    window->chooseRussian();
    EXPECT_TRUE(status(1).startsWith(
        QString::fromUtf8("Контроллер перестал отвечать на адресе 9, 26 следующих параметров не запрашивались - ")))
        << status(1).toStdString();
}

// Pictures of the car book's window over the main window, to look at as a
// fitter would: the real widgets on a real screen (an X server of the
// screen's size), in both languages. Disabled: with a book filled by
// dravinor-cli in DRAVINOR_DATA_DIR, run from the source folder
//   DRAVINOR_BOOK_PICTURES=/tmp/shots QT_QPA_PLATFORM=xcb DISPLAY=:91
//     build/tests/ui/dravinor_ui_tests --gtest_also_run_disabled_tests
//     --gtest_filter='DISABLED_CarBookPictures*'
#include "TestLocations.h"
#include "WindowOnLine.h"

#include "ui/book/BookTables.h"
#include "ui/book/CarBookWindow.h"

#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace dravinor;

namespace {

struct CarBookPictures : dravinor::testing::WindowOnLine, ::testing::WithParamInterface<const char*> {
    QString folder = qEnvironmentVariable("DRAVINOR_BOOK_PICTURES");
    QString before = QDir::currentPath();

    void SetUp() override
    {
        if (folder.isEmpty() || qEnvironmentVariableIsEmpty("DRAVINOR_DATA_DIR"))
            GTEST_SKIP() << "DRAVINOR_BOOK_PICTURES and DRAVINOR_DATA_DIR name no folders";
        // The language files are found in the source folder.
        QDir::setCurrent(QString::fromStdString(dravinor::testing::sourceDir()));
    }
    void TearDown() override
    {
        QDir::setCurrent(before);
        WindowOnLine::TearDown();
    }
    bool russian() const { return std::string(GetParam()) == "ru"; }
};

}  // namespace

// The main window filling the screen, the book over it with a car chosen
// whose visits have every mark, then a search that narrows the list.
TEST_P(CarBookPictures, OverTheMainWindow)
{
    // The writes the command line made for the book, in this window's journal.
    const QByteArray state = qgetenv("DRAVINOR_STATE_DIR");
    if (!state.isEmpty() && std::filesystem::exists(state.toStdString() + "/journal.log"))
        std::filesystem::copy_file(state.toStdString() + "/journal.log", WindowOnLine::folder.journal(),
                                   std::filesystem::copy_options::overwrite_existing);
    startWith(false);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->setStartFrame(screen);
    if (russian())
        item("rosyjski")->trigger();
    else
        item("polski")->trigger();
    item("menuCarBook")->trigger();
    auto* book = window->findChild<ui::CarBookWindow*>("CarBookWindow");
    ASSERT_NE(book, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(book));
    QTest::qWait(300);
    const auto rows = book->cars()->findItems(QStringLiteral("KR 2T55"), Qt::MatchExactly);
    if (!rows.isEmpty())
        book->cars()->selectRow(rows.front()->row());
    book->connectedButton()->click();
    QTest::qWait(300);
    const QString size = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
    const QString name = QStringLiteral("%1/book-%2-%3.png").arg(folder, GetParam(), size);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(name, "PNG")) << name.toStdString();

    // The changes of the newest visit, as the mouse over their count shows them.
    if (QTableWidgetItem* changes = book->visits()->item(0, ui::carbook::JournalColumn);
        changes && !changes->toolTip().isEmpty()) {
        const QRect cell = book->visits()->visualItemRect(changes);
        QToolTip::showText(book->visits()->viewport()->mapToGlobal(cell.center()), changes->toolTip(),
                           book->visits()->viewport());
        QTest::qWait(300);
        const QString writes = QStringLiteral("%1/book-changes-%2-%3.png").arg(folder, GetParam(), size);
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(writes, "PNG")) << writes.toStdString();
        QToolTip::hideText();
    }

    book->search()->setText(QStringLiteral("opel"));
    QTest::qWait(300);
    const QString searched = QStringLiteral("%1/book-search-%2-%3.png").arg(folder, GetParam(), size);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(searched, "PNG")) << searched.toStdString();
    book->endCurrentButton()->click();
}

// A folder where the book should be: the window says why and offers nothing.
TEST_P(CarBookPictures, ABookThatCannotBeOpened)
{
    const QByteArray data = qgetenv("DRAVINOR_DATA_DIR");
    const std::filesystem::path broken = folder.toStdString() + "/broken-book";
    std::filesystem::create_directories(broken / "workshop.sqlite");
    ::setenv("DRAVINOR_DATA_DIR", broken.string().c_str(), 1);
    startWith(false);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->setStartFrame(screen);
    item(russian() ? "rosyjski" : "polski")->trigger();
    item("menuCarBook")->trigger();
    auto* book = window->findChild<ui::CarBookWindow*>("CarBookWindow");
    ASSERT_NE(book, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(book));
    QTest::qWait(300);
    const QString name = QStringLiteral("%1/book-cannot-open-%2-%3x%4.png")
                             .arg(folder, GetParam())
                             .arg(screen.width())
                             .arg(screen.height());
    EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(name, "PNG")) << name.toStdString();
    ::setenv("DRAVINOR_DATA_DIR", data.constData(), 1);
    std::filesystem::remove_all(broken);
}

INSTANTIATE_TEST_SUITE_P(DISABLED_CarBookPictures, CarBookPictures, ::testing::Values("pl", "ru"),
                         [](const auto& test) { return std::string(test.param); });

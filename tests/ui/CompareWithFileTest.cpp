#include "WindowOnLine.h"
#include "lang/TextSlots.h"
#include "link/Connection.h"
#include "params/ParameterFile.h"
#include "params/ParameterState.h"
#include "ui/dialogs/ParameterDiffDialog.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

// The window without a controller, on the default set, and a folder for files.
struct CompareFixture : dravinor::testing::WindowOnLine {
    QTemporaryDir files;

    void SetUp() override { startWith(false); }
    // The default set with a lambda threshold of 0,50 V.
    QString writeChangedSet()
    {
        params::ParameterState state;
        state.loadDefaults();
        state.block().setParameter(params::Address(1), 25);
        const QString path = files.filePath("car.PAR");
        EXPECT_TRUE(params::saveParameterFile(path.toStdString(), state.block()).ok());
        return path;
    }
    ui::ParameterDiffDialog* compare(const QString& path)
    {
        dialogs.openFile = path;
        window->findChild<QAction*>("PorownajZPlikiem")->trigger();
        return window->findChild<ui::ParameterDiffDialog*>("PorownanieParametrow");
    }
    void click(ui::ParameterDiffDialog* dialog, const char* button)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        QApplication::processEvents();
    }
};

}  // namespace

// The item joins the menu after the items the fitter's manuals name, so none
// of those moves.
TEST_F(CompareFixture, TheItemFollowsTheMainMenusOwnItems)
{
    const auto items = window->findChild<QMenu*>("menu")->actions();
    const auto indexOf = [&items](const char* name) {
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i]->objectName() == name)
                return i;
        return qsizetype{-1};
    };
    const qsizetype compare = indexOf("PorownajZPlikiem");
    ASSERT_GE(compare, 0);
    EXPECT_GT(compare, indexOf("AutoAdaptacjaF5"));
    EXPECT_EQ(items[compare]->text(), QString::fromUtf8("Porównaj z plikiem…"));
}

TEST_F(CompareFixture, TheTableShowsTheDifferenceAndCloseLoadsNothing)
{
    auto* dialog = compare(writeChangedSet());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->windowTitle().isEmpty() == false);
    QTableWidget* table = dialog->table();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), window->findChild<QLabel*>("PRLambdaL")->text());
    EXPECT_EQ(table->item(0, 1)->text(), "0,38 V");
    EXPECT_EQ(table->item(0, 2)->text(), "0,50 V");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "W pliku");

    click(dialog, "ZamknijPorownanie");
    EXPECT_EQ(session->state().block().get(1), 19);
    EXPECT_EQ(window->findChild<QLineEdit*>("PRLambda")->text(), "0,38");
}

TEST_F(CompareFixture, LoadingFromTheDialogTakesTheFileAsOdczytZPlikuDoes)
{
    auto* dialog = compare(writeChangedSet());
    ASSERT_NE(dialog, nullptr);
    click(dialog, "WczytajPlik");
    EXPECT_EQ(session->state().block().get(1), 25);
    EXPECT_EQ(window->findChild<QLineEdit*>("PRLambda")->text(), "0,50");

    // Now the pages and the file agree.
    dialog = compare(files.filePath("car.PAR"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->differenceCount(), 0);
    EXPECT_EQ(dialog->findChild<QLabel*>("PorownanieWynik")->text(),
              QString::fromUtf8("Parametry na stronach i w pliku są takie same."));
}

TEST_F(CompareFixture, AnUnreadableFileIsRefusedAsTheLoadRefusesIt)
{
    EXPECT_EQ(compare(files.filePath("missing.PAR")), nullptr);
    EXPECT_EQ(dialogs.errors, QStringList{"blad|Nie moge odczytac"});
    dialogs.errors.clear();
    EXPECT_EQ(compare(QString()), nullptr) << "a cancelled dialog does nothing";
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(CompareFixture, TheDialogSpeaksTheLanguageOfTheTextSlotsAndLabels)
{
    lang::textSlots().set(50304, "В файле");
    window->findChild<QLabel*>("PRLambdaL")->setText("Порог лямбда-зонда");
    auto* dialog = compare(writeChangedSet());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->table()->horizontalHeaderItem(2)->text(), QString::fromUtf8("В файле"));
    EXPECT_EQ(dialog->table()->item(0, 0)->text(), QString::fromUtf8("Порог лямбда-зонда"));
}

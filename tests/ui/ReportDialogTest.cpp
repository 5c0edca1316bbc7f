// "Raport…" in `menu`: the dialog as the fitter fills it in, the workshop it
// remembers between runs, the trace's picture offered only while the trace
// is frozen, and the PDF it saves (read back with pdftotext) in Polish and
// in Russian.
#include "PdfText.h"
#include "TestLocations.h"
#include "WindowOnLine.h"

#include "live/LivePage.h"
#include "live/OscilloscopeGroup.h"
#include "ui/report/ReportDialog.h"
#include "ui/window/FileMemory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace dravinor;
using dravinor::testing::captionWithValue;
using dravinor::testing::lineWith;
using dravinor::testing::pdfText;

namespace {

struct ReportFromWindow : dravinor::testing::WindowOnLine {
    QTemporaryDir files;

    ui::ReportDialog* openReport()
    {
        item("Raport")->trigger();
        auto* dialog = window->findChild<ui::ReportDialog*>("RaportDialog");
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    void closeReport(ui::ReportDialog* dialog)
    {
        dialog->reject();
        QTest::qWait(0);  // closed dialogs are deleted
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::string path(const char* name) const { return QDir(files.path()).filePath(name).toStdString(); }
};

}  // namespace

TEST_F(ReportFromWindow, TheItemFollowsTheMenusCommandsAndOpensTheDialog)
{
    startWith();
    const QList<QAction*> actions = child<QMenu>("menu")->actions();
    const auto report = std::find(actions.begin(), actions.end(), item("Raport"));
    ASSERT_NE(report, actions.end());
    EXPECT_EQ(*(report - 1), item("OProgramie"));
    EXPECT_EQ((*report)->text(), QStringLiteral("Raport…"));
    ui::ReportDialog* dialog = openReport();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Raport dla klienta"));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ReportFromWindow, TheTracePictureIsOfferedOnlyWhileTheTraceIsFrozen)
{
    startWith();
    ui::ReportDialog* dialog = openReport();
    EXPECT_FALSE(dialog->includeTrace()->isEnabled());
    EXPECT_FALSE(dialog->includeTrace()->toolTip().isEmpty()) << "it says how to freeze the trace";
    dialogs.saveFile = QString::fromStdString(path("a.pdf"));
    dialog->findChild<QAbstractButton*>("RaportZapiszPDF")->click();
    EXPECT_EQ(dravinor::testing::pdfText(path("a.pdf")).find("Sonda lambda [V]"), std::string::npos);
    closeReport(dialog);

    window->livePage().oscilloscope().setFrozen(true);
    dialog = openReport();
    EXPECT_TRUE(dialog->includeTrace()->isEnabled());
    EXPECT_TRUE(dialog->includeTrace()->isChecked());
    dialogs.saveFile = QString::fromStdString(path("b.pdf"));
    dialog->findChild<QAbstractButton*>("RaportZapiszPDF")->click();
    // The trace drawn as the exported picture, its legend text in the PDF, no bitmap.
    EXPECT_NE(dravinor::testing::pdfText(path("b.pdf")).find("Sonda lambda [V]"), std::string::npos);
    EXPECT_EQ(dravinor::testing::imagesIn(path("b.pdf")), 0);

    // Unticked, or let go meanwhile: no picture.
    dialog->includeTrace()->setChecked(false);
    EXPECT_TRUE(dialog->sheet().trace.isNull());
    dialog->includeTrace()->setChecked(true);
    window->livePage().oscilloscope().setFrozen(false);
    EXPECT_TRUE(dialog->sheet().trace.isNull());
}

TEST_F(ReportFromWindow, TheWorkshopIsRememberedForTheNextRunAndTheCarIsNot)
{
    startWith();
    ui::ReportDialog* dialog = openReport();
    EXPECT_TRUE(dialog->workshop()->text().isEmpty());
    dialog->registration()->setText("WX 1234A");
    dialog->workshop()->setText("Auto-Gaz Łódź");
    dialogs.saveFile = QString::fromStdString(path("car.pdf"));
    dialog->findChild<QAbstractButton*>("RaportZapiszPDF")->click();
    EXPECT_TRUE(dialog->result()->text().contains("car.pdf")) << dialog->result()->text().toStdString();
    EXPECT_TRUE(dialogs.lastDirectory.endsWith("raport-WX1234A-" + QDate::currentDate().toString(Qt::ISODate) + ".pdf"))
        << dialogs.lastDirectory.toStdString();
    closeReport(dialog);

    // The next run of the program.
    window.reset();
    session.reset();
    startWith();
    dialog = openReport();
    EXPECT_EQ(dialog->workshop()->text(), QStringLiteral("Auto-Gaz Łódź"));
    EXPECT_TRUE(dialog->registration()->text().isEmpty());
    // The dialog opens where the last report went.
    dialog->findChild<QAbstractButton*>("RaportZapiszPDF")->click();
    EXPECT_TRUE(dialogs.lastDirectory.startsWith(files.path())) << dialogs.lastDirectory.toStdString();
}

TEST_F(ReportFromWindow, TheSavedReportHoldsTheCarTheControllerAndThePagesValues)
{
    startWith();
    ui::ReportDialog* dialog = openReport();
    dialog->registration()->setText("WX 1234A");
    dialog->makeAndModel()->setText("Škoda Felicia");
    dialog->odometer()->setText("182 400 km");
    ASSERT_TRUE(dialog->saveTo(QString::fromStdString(path("car.pdf"))));
    const std::string text = pdfText(path("car.pdf"));
    EXPECT_NE(lineWith(text, "Numer rejestracyjny", "WX 1234A"), "") << text;
    EXPECT_NE(lineWith(text, "Marka i model", "Škoda Felicia"), "");
    EXPECT_NE(lineWith(text, "Przebieg", "182 400 km"), "");
    EXPECT_NE(lineWith(text, "Sterownik", "typ 1, wersja oprogramowania 3"), "");
    EXPECT_TRUE(captionWithValue(text, "Próg sondy lambda", fieldText("PRLambda").toStdString() + " V")) << text;
    EXPECT_EQ(text.find("Autoadaptacja"), std::string::npos) << "no adaptation ran";
}

TEST_F(ReportFromWindow, WithoutAControllerTheReportSaysTheValuesAreNotTheControllers)
{
    startWith(false);
    ui::ReportDialog* dialog = openReport();
    ASSERT_TRUE(dialog->saveTo(QString::fromStdString(path("car.pdf"))));
    const std::string text = pdfText(path("car.pdf"));
    EXPECT_NE(lineWith(text, "Sterownik", "niepodłączony"), "") << text;
    EXPECT_EQ(text.find("wersja oprogramowania"), std::string::npos);
}

TEST_F(ReportFromWindow, AReportThatCannotBeSavedIsToldAndNotClaimedAsSaved)
{
    startWith();
    ui::ReportDialog* dialog = openReport();
    QDir(files.path()).mkdir("taken.pdf");
    dialogs.messages.clear();
    EXPECT_FALSE(dialog->saveTo(QString::fromStdString(path("taken.pdf"))));
    ASSERT_EQ(dialogs.messages.size(), 1) << dialogs.messages.join("; ").toStdString();
    EXPECT_TRUE(dialogs.messages.front().startsWith("Nie można zapisać raportu w pliku"))
        << dialogs.messages.front().toStdString();
    EXPECT_TRUE(dialog->result()->text().isEmpty());
}

TEST_F(ReportFromWindow, PrintingPaintsTheSamePages)
{
    startWith();
    ui::ReportDialog* dialog = openReport();
    dialog->registration()->setText("WX 1234A");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path("printed.pdf")));
    ASSERT_TRUE(dialog->printOn(printer));
    const std::string text = pdfText(path("printed.pdf"));
    EXPECT_NE(lineWith(text, "Numer rejestracyjny", "WX 1234A"), "") << text;
    EXPECT_NE(text.find("Strona 1 z "), std::string::npos);
}

// In Russian, as the window shows it: the report's texts, the pages' captions and list items.
struct RussianReport : ReportFromWindow {
    QString previousFolder = QDir::currentPath();
    void TearDown() override
    {
        ReportFromWindow::TearDown();
        QDir::setCurrent(previousFolder);
    }
};

TEST_F(RussianReport, FollowsTheWindowsLanguage)
{
    for (const char* file : {"lang/polski.txt", "lang/russian.txt"}) {
        QDir(files.path()).mkpath("lang");
        ASSERT_TRUE(QFile::copy(QString::fromStdString(dravinor::testing::sourceDir() + "/") + file,
                                QDir(files.path()).filePath(file)));
    }
    ASSERT_TRUE(QDir::setCurrent(files.path()));
    startWith();
    item("rosyjski")->trigger();
    ui::ReportDialog* dialog = openReport();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Отчёт для клиента"));
    dialog->workshop()->setText("Мастерская «Газ»");
    ASSERT_TRUE(dialog->saveTo(QString::fromStdString(path("ru.pdf"))));
    const std::string text = pdfText(path("ru.pdf"));
    EXPECT_NE(text.find("Отчёт о настройке"), std::string::npos) << text;
    EXPECT_NE(lineWith(text, "Мастерская", "Мастерская «Газ»"), "");
    EXPECT_NE(lineWith(text, "Контроллер", "тип 1, версия прошивки 3"), "");
    EXPECT_NE(text.find("Страница 1 из "), std::string::npos);
    const auto* probeList = child<QComboBox>("RSLambda");
    const QString lastWord = probeList->currentText().split(u' ', Qt::SkipEmptyParts).last();
    EXPECT_NE(text.find(lastWord.toStdString()), std::string::npos)
        << lastWord.toStdString() << "the list's item as the Russian page names it";
    EXPECT_EQ(text.find("Próg"), std::string::npos) << "no Polish caption left";
}

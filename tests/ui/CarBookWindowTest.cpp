// The car book in the window: found as the fitter types, opened only when
// used, its failures said without stopping the window, the car on the lift
// remembered between runs and its reads, writes and reports recorded.
#include "ui/book/CarBookWindow.h"
#include "TestLocations.h"
#include "WindowOnLine.h"
#include "book/BookFile.h"
#include "book/CarBook.h"
#include "book/CurrentCar.h"
#include "ui/book/AddCarDialog.h"
#include "ui/book/BookTables.h"
#include "ui/book/CarBookHandOver.h"
#include "ui/book/WindowBook.h"
#include "ui/report/ReportDialog.h"
#include "wizard/AdaptationResult.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace dravinor;
namespace fs = std::filesystem;

namespace {

struct CarBookWindowTest : dravinor::testing::WindowOnLine {
    fs::path data = folder / "data";
    fs::path bookFile = data / "workshop.sqlite";

    CarBookWindowTest() : WindowOnLine(unpaced()) { ::setenv("DRAVINOR_DATA_DIR", data.string().c_str(), 1); }
    ~CarBookWindowTest() override { ::unsetenv("DRAVINOR_DATA_DIR"); }
    static sim::SimulatorOptions unpaced()
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        return options;
    }

    // Cars and visits put in the book before the window starts.
    book::Car addCar(const std::string& registration, const std::string& makeModel)
    {
        book::CarBook book;
        EXPECT_TRUE(book::usable(book.open(bookFile).outcome));
        book::Car car{0, registration, makeModel, "", ""};
        EXPECT_EQ(book.addCar(car), book::BookWrite::Done);
        return car;
    }
    void addVisit(const book::Car& car, book::Visit visit)
    {
        book::CarBook book;
        ASSERT_TRUE(book::usable(book.open(bookFile).outcome));
        visit.carId = car.id;
        ASSERT_EQ(book.addVisit(visit), book::BookWrite::Done);
    }
    std::vector<book::Visit> visitsOf(const std::string& registration)
    {
        book::CarBook book;
        EXPECT_TRUE(book::usable(book.open(bookFile).outcome));
        const auto car = book.carByRegistration(registration);
        return car ? book.visitsOf(car->id) : std::vector<book::Visit>{};
    }
    static params::ParameterBlock setOf(std::uint8_t mark)
    {
        params::ParameterBlock set;
        set.bytes().fill(mark);
        return set;
    }

    ui::CarBookWindow* openBook()
    {
        item("menuCarBook")->trigger();
        return window->findChild<ui::CarBookWindow*>("CarBookWindow");
    }
    static QStringList column(QTableWidget* table, int column)
    {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row)
            texts << table->item(row, column)->text();
        return texts;
    }
    static void selectCar(ui::CarBookWindow* book, const QString& registration)
    {
        const auto rows = book->cars()->findItems(registration, Qt::MatchExactly);
        ASSERT_FALSE(rows.isEmpty()) << registration.toStdString();
        book->cars()->selectRow(rows.front()->row());
    }
};

TEST_F(CarBookWindowTest, FindsCarsAsTheFitterTypesAndListsVisitsNewestFirst)
{
    addCar("WX 1234", "Opel Astra G");
    const book::Car skoda = addCar("KR 2T55", "Skoda Octavia");
    addCar("PO 77", "Fiat Punto");
    for (std::int64_t time : {1765000000, 1765300000, 1765100000}) {
        book::Visit visit;
        visit.time = time;
        visit.readSet = setOf(1);
        visit.odometer = time / 10000;
        addVisit(skoda, visit);
    }
    startWith(false);
    EXPECT_EQ(item("menuCarBook")->text(), "Książka serwisowa");
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(book->isVisible());
    EXPECT_EQ(book->windowTitle(), "Książka serwisowa");
    EXPECT_FALSE(book->problem()->isVisible());
    EXPECT_EQ(book->cars()->rowCount(), 3);

    QTest::keyClicks(book->search(), "kr2");
    EXPECT_EQ(column(book->cars(), ui::carbook::RegistrationColumn), QStringList{"KR 2T55"});
    book->search()->clear();
    QTest::keyClicks(book->search(), "punto");
    EXPECT_EQ(column(book->cars(), ui::carbook::RegistrationColumn), QStringList{"PO 77"});
    book->search()->setText("nothing like it");
    EXPECT_EQ(book->cars()->rowCount(), 0);
    EXPECT_EQ(book->visits()->rowCount(), 0);
    EXPECT_FALSE(book->compareButton()->isEnabled());

    book->search()->setText("KR");
    selectCar(book, "KR 2T55");
    EXPECT_EQ(column(book->visits(), ui::carbook::TimeColumn),
              (QStringList{ui::carbook::visitTime(1765300000), ui::carbook::visitTime(1765100000),
                           ui::carbook::visitTime(1765000000)}));
    EXPECT_EQ(column(book->visits(), ui::carbook::OdometerColumn), (QStringList{"176530", "176510", "176500"}));
    EXPECT_EQ(column(book->visits(), ui::carbook::ReadSetColumn), (QStringList{"tak", "tak", "tak"}));
    EXPECT_EQ(column(book->visits(), ui::carbook::ReportColumn), (QStringList{"nie", "nie", "nie"}));
    EXPECT_TRUE(book->compareButton()->isEnabled());
    EXPECT_FALSE(book->writeButton()->isEnabled()) << "no controller to write to";
    EXPECT_FALSE(book->reportButton()->isEnabled()) << "the visit has no report";
}

TEST_F(CarBookWindowTest, TheBookIsOpenedOnFirstUseNeverAtStartUp)
{
    startWith(true);
    EXPECT_FALSE(fs::exists(bookFile)) << "no current car: a read touches no book";
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(fs::exists(bookFile));
    EXPECT_EQ(book->currentLine()->text(), "Żaden samochód nie jest oznaczony jako podłączony");
    EXPECT_FALSE(book->endCurrentButton()->isEnabled());
}

TEST_F(CarBookWindowTest, ABookThatIsAFolderIsSaidAndTheWindowReadsAndWritesOn)
{
    fs::create_directories(bookFile);
    ASSERT_TRUE(book::rememberCurrentCar(bookFile, "WX 1"));
    startWith(true);
    QCoreApplication::processEvents();
    EXPECT_NE(status(1).indexOf("Nie zapisano w książce serwisowej (WX 1): "), -1) << status(1).toStdString();
    EXPECT_NE(status(1).indexOf("folder"), -1) << status(1).toStdString();
    EXPECT_TRUE(dialogs.messages.filter("książ").isEmpty()) << "said on the status line, not in a box";

    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(book->problem()->isVisible());
    EXPECT_TRUE(book->problem()->text().startsWith("Nie można otworzyć książki serwisowej: "))
        << book->problem()->text().toStdString();
    EXPECT_FALSE(book->search()->isEnabled());
    EXPECT_FALSE(book->addCarButton()->isEnabled());
    EXPECT_EQ(book->cars()->rowCount(), 0);

    // The window's own work goes on: a whole write reaches the controller.
    dialogs.answers = {true};
    click("ZapiszPar");
    QCoreApplication::processEvents();
    EXPECT_NE(status(1).indexOf("Nie zapisano w książce serwisowej (WX 1)"), -1) << status(1).toStdString();
    EXPECT_FALSE(backups().empty()) << "the write went out with its backup";
    EXPECT_TRUE(fs::is_directory(bookFile)) << "nothing was done to the folder";
}

TEST_F(CarBookWindowTest, ADamagedBookIsPutAsideAndANewOneStarted)
{
    fs::create_directories(data);
    {
        std::ofstream damaged(bookFile, std::ios::binary);
        damaged << std::string(4096, 'x');
    }
    startWith(false);
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    EXPECT_TRUE(book->problem()->isVisible());
    EXPECT_NE(book->problem()->text().indexOf("była uszkodzona: zachowano ją jako"), -1)
        << book->problem()->text().toStdString();
    EXPECT_TRUE(book->addCarButton()->isEnabled()) << "the new book is there to use";
    int aside = 0;
    for (const auto& entry : fs::directory_iterator(data))
        aside += entry.path().filename().string().find(".damaged-") != std::string::npos;
    EXPECT_EQ(aside, 1) << "the damaged book is kept, not deleted";
}

TEST_F(CarBookWindowTest, AddingACarRefusesNoRegistrationAndADuplicateAndKeepsWhatWasTyped)
{
    addCar("WX 1234", "Opel Astra G");
    startWith(false);
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    book->addCarButton()->click();
    ui::AddCarDialog* add = book->addCarDialog();
    ASSERT_NE(add, nullptr);
    add->makeAndModel()->setText("Fiat Punto");
    add->accept();
    EXPECT_TRUE(add->isVisible());
    EXPECT_EQ(add->problem()->text(), "Podaj numer rejestracyjny.");

    add->registration()->setText("wx-1234");
    add->accept();
    EXPECT_TRUE(add->isVisible());
    EXPECT_EQ(add->problem()->text(), "Samochód o numerze wx-1234 jest już w książce serwisowej.");
    EXPECT_EQ(add->makeAndModel()->text(), "Fiat Punto") << "nothing typed is lost";
    EXPECT_EQ(book->cars()->rowCount(), 1);

    add->registration()->setText("PO 77");
    add->vin()->setText("ZFA18800000123456");
    add->accept();
    QCoreApplication::processEvents();
    EXPECT_EQ(book->addCarDialog(), nullptr);
    EXPECT_EQ(book->resultLine()->text(), "Dodano samochód PO 77.");
    ASSERT_TRUE(book->selectedCar());
    EXPECT_EQ(book->selectedCar()->makeModel, "Fiat Punto");
    EXPECT_EQ(book->selectedCar()->vin, "ZFA18800000123456");
}

TEST_F(CarBookWindowTest, TheConnectedCarOutlivesARestartAndItsReadWriteAndReportAreRecorded)
{
    addCar("WX 1234", "Opel Astra G");
    startWith(false);
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    selectCar(book, "WX 1234");
    book->connectedButton()->click();
    EXPECT_EQ(book->currentLine()->text(), "Podłączony samochód: WX 1234 (Opel Astra G)");
    EXPECT_EQ(book::currentCar(bookFile), "WX 1234") << "shared with the command line";

    // A new run on the controller: its whole read is the car's visit.
    window.reset();
    session.reset();
    startWith(true);
    QCoreApplication::processEvents();
    EXPECT_NE(status(1).indexOf("Odczyt zapisano jako wizytę samochodu WX 1234"), -1) << status(1).toStdString();
    auto visits = visitsOf("WX 1234");
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].readSet, session->state().block());
    EXPECT_FALSE(visits[0].controllerType.empty());

    book = openBook();
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->currentLine()->text(), "Podłączony samochód: WX 1234 (Opel Astra G)");

    // A whole write the controller took ends today's visit.
    dialogs.answers = {true};
    click("ZapiszPar");
    QCoreApplication::processEvents();
    EXPECT_NE(status(1).indexOf("Zapisane parametry dopisano do dzisiejszej wizyty samochodu WX 1234"), -1)
        << status(1).toStdString();
    visits = visitsOf("WX 1234");
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].endSet, session->state().block());

    // The report knows the car, and a saved one goes into the visit.
    item("Raport")->trigger();
    auto* report = window->findChild<ui::ReportDialog*>("RaportDialog");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->registration()->text(), "WX 1234");
    EXPECT_EQ(report->makeAndModel()->text(), "Opel Astra G");
    ASSERT_TRUE(report->saveTo(QString::fromStdString((folder / "raport.pdf").string())));
    QCoreApplication::processEvents();
    visits = visitsOf("WX 1234");
    ASSERT_EQ(visits.size(), 1u);
    ASSERT_TRUE(visits[0].reportPdf);
    EXPECT_EQ(std::string(visits[0].reportPdf->begin(), visits[0].reportPdf->begin() + 4), "%PDF");
    report->close();

    book->endCurrentButton()->click();
    EXPECT_FALSE(book::currentCar(bookFile));
    EXPECT_EQ(book->currentLine()->text(), "Żaden samochód nie jest oznaczony jako podłączony");
}

TEST_F(CarBookWindowTest, TheReportCompletesARegistrationFromTheBookWithoutACurrentCar)
{
    addCar("KR 2T55", "Skoda Octavia");
    startWith(false);
    item("Raport")->trigger();
    auto* report = window->findChild<ui::ReportDialog*>("RaportDialog");
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->registration()->text().isEmpty()) << "no car is connected";
    ASSERT_NE(report->registration()->completer(), nullptr);
    report->registration()->setText("KR 2T55");
    emit report->registration()->editingFinished();
    EXPECT_EQ(report->makeAndModel()->text(), "Skoda Octavia");

    // What the fitter typed is never replaced.
    report->makeAndModel()->setText("Octavia kombi");
    emit report->registration()->editingFinished();
    EXPECT_EQ(report->makeAndModel()->text(), "Octavia kombi");
    report->close();
}

TEST_F(CarBookWindowTest, AReportIsSavedWhenTheBookCannotTakeIt)
{
    fs::create_directories(bookFile);
    ASSERT_TRUE(book::rememberCurrentCar(bookFile, "WX 1"));
    startWith(false);
    item("Raport")->trigger();
    auto* report = window->findChild<ui::ReportDialog*>("RaportDialog");
    ASSERT_NE(report, nullptr);
    const fs::path pdf = folder / "raport.pdf";
    ASSERT_TRUE(report->saveTo(QString::fromStdString(pdf.string())));
    QCoreApplication::processEvents();
    EXPECT_TRUE(fs::is_regular_file(pdf));
    EXPECT_NE(status(1).indexOf("Nie zapisano w książce serwisowej (WX 1)"), -1) << status(1).toStdString();
    report->close();
}

TEST_F(CarBookWindowTest, TheOpenWindowFollowsTheLanguageChosen)
{
    // The shipped language files, where the window looks for them.
    QTemporaryDir languages;
    const QString before = QDir::currentPath();
    QDir(languages.path()).mkpath("lang");
    for (const char* file : {"lang/polski.txt", "lang/russian.txt"})
        QFile::copy(QString::fromStdString(dravinor::testing::sourceDir() + "/") + file,
                    QDir(languages.path()).filePath(file));
    QDir::setCurrent(languages.path());
    const book::Car car = addCar("WX 1234", "Opel Astra G");
    book::Visit visit;
    visit.time = 1765300000;
    visit.readSet = setOf(1);
    addVisit(car, visit);
    startWith(false);
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);

    item("rosyjski")->trigger();
    EXPECT_EQ(item("menuCarBook")->text(), "Сервисная книжка");
    EXPECT_EQ(book->windowTitle(), "Сервисная книжка");
    EXPECT_EQ(book->writeButton()->text(), "Записать в контроллер");
    EXPECT_EQ(book->cars()->horizontalHeaderItem(ui::carbook::RegistrationColumn)->text(), "Рег. номер");
    EXPECT_EQ(book->visits()->item(0, ui::carbook::ReadSetColumn)->text(), "да");
    EXPECT_EQ(book->currentLine()->text(), "Ни один автомобиль не отмечен как подключённый");

    item("polski")->trigger();
    EXPECT_EQ(book->writeButton()->text(), "Zapisz w sterowniku");
    EXPECT_EQ(book->visits()->item(0, ui::carbook::ReadSetColumn)->text(), "tak");
    QDir::setCurrent(before);
}

TEST_F(CarBookWindowTest, AWriteTheControllerDidNotTakeWholeIsNotTheCarsSet)
{
    addCar("WX 1234", "Opel Astra G");
    ASSERT_TRUE(book::rememberCurrentCar(bookFile, "WX 1234"));
    startWith(false);
    ui::CarBookHandOver* handOver = window->carBook();
    ASSERT_NE(handOver, nullptr);
    params::BulkWriteOutcome nothingConfirmed;
    handOver->afterBulkWrite(nothingConfirmed);
    params::BulkWriteOutcome cutShort;
    for (int address = 1; address <= params::ParameterBlock::count; ++address)
        cutShort.confirmed.set(static_cast<std::size_t>(address));
    cutShort.portLost = true;
    handOver->afterBulkWrite(cutShort);
    QCoreApplication::processEvents();
    EXPECT_TRUE(visitsOf("WX 1234").empty());
    EXPECT_EQ(status(1).indexOf("książ"), -1) << status(1).toStdString();
}

TEST_F(CarBookWindowTest, AReconnectsReadIsNoNewVisitAndAFinishedAdaptationJoinsTodays)
{
    addCar("WX 1234", "Opel Astra G");
    ASSERT_TRUE(book::rememberCurrentCar(bookFile, "WX 1234"));
    startWith(true);
    QCoreApplication::processEvents();
    ASSERT_EQ(visitsOf("WX 1234").size(), 1u);
    ui::CarBookHandOver* handOver = window->carBook();
    ASSERT_NE(handOver, nullptr);

    // The adapter plugged back in: the same set read again.
    child<QStatusBar>("StatusBar1")->clearMessage();
    handOver->afterWholeRead();
    QCoreApplication::processEvents();
    EXPECT_EQ(visitsOf("WX 1234").size(), 1u);
    EXPECT_EQ(status(1).indexOf("WX 1234"), -1) << "nothing new, nothing said: " << status(1).toStdString();

    wizard::AdaptationResult result;
    result.figures[static_cast<std::size_t>(wizard::Figure::TpsIdle)] = 0.45;
    result.finished = true;
    handOver->afterAdaptation(result);
    QCoreApplication::processEvents();
    EXPECT_NE(status(1).indexOf("Wynik autoadaptacji dopisano do dzisiejszej wizyty samochodu WX 1234"), -1)
        << status(1).toStdString();
    const auto visits = visitsOf("WX 1234");
    ASSERT_EQ(visits.size(), 1u);
    ASSERT_TRUE(visits[0].adaptation);
    EXPECT_EQ(*visits[0].adaptation, "finished: yes\ntps: 0,45 - - V\n");
    EXPECT_EQ(visits[0].endSet, session->state().block());

    handOver->afterAdaptation(wizard::AdaptationResult{});  // nothing measured: nothing kept
    EXPECT_EQ(visitsOf("WX 1234")[0].adaptation, visits[0].adaptation);

    // The list shows it has one, and what it measured on a look.
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    selectCar(book, "WX 1234");
    const QTableWidgetItem* adaptation = book->visits()->item(0, ui::carbook::AdaptationColumn);
    ASSERT_NE(adaptation, nullptr);
    EXPECT_EQ(adaptation->text(), "tak");
    EXPECT_EQ(adaptation->toolTip(), "finished: yes\ntps: 0,45 - - V");
}

TEST_F(CarBookWindowTest, AFieldsWriteIsTheVisitsAndTheListNamesItFromTheJournal)
{
    addCar("WX 1234", "Opel Astra G");
    ASSERT_TRUE(book::rememberCurrentCar(bookFile, "WX 1234"));
    startWith(true);
    QCoreApplication::processEvents();
    auto* field = window->findChild<QLineEdit*>("PRLambda");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "0,5");
    QTest::keyClick(field, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(controller.eeprom()[1], 25);
    auto visits = visitsOf("WX 1234");
    ASSERT_EQ(visits.size(), 1u) << "the write joins the read's visit";
    ASSERT_TRUE(visits[0].journal);

    // A bulk write of the set it holds changes nothing: its summary is listed, not counted.
    dialogs.answers = {true};
    click("ZapiszPar");
    QCoreApplication::processEvents();

    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    selectCar(book, "WX 1234");
    const QTableWidgetItem* changes = book->visits()->item(0, ui::carbook::JournalColumn);
    ASSERT_NE(changes, nullptr);
    EXPECT_EQ(changes->text(), "1");
    const QStringList lines = changes->toolTip().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << changes->toolTip().toStdString();
    EXPECT_TRUE(lines[1].endsWith("Próg sondy lambda (PRLambda, 1): 0,38 V [19] -> 0,50 V [25]"))
        << changes->toolTip().toStdString();

    // Leaving the field again rewrites the value it holds: nothing changed, nothing recorded.
    const auto range = visitsOf("WX 1234")[0].journal;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(visitsOf("WX 1234")[0].journal, range);

    // Once the journal has been rotated away, the visit says so.
    std::filesystem::remove(session->journal().path());
    book->refresh();
    selectCar(book, "WX 1234");
    changes = book->visits()->item(0, ui::carbook::JournalColumn);
    EXPECT_EQ(changes->text(), "-");
    EXPECT_EQ(changes->toolTip(), "Dziennik zmian nie zawiera już zmian tej wizyty");
}

TEST_F(CarBookWindowTest, AnAdaptationLeftPartWayKeepsWhatItMeasuredButNotAnUnsureSet)
{
    addCar("WX 1234", "Opel Astra G");
    ASSERT_TRUE(book::rememberCurrentCar(bookFile, "WX 1234"));
    startWith(true);
    QCoreApplication::processEvents();
    ui::CarBookHandOver* handOver = window->carBook();
    wizard::AdaptationResult result;
    result.figures[static_cast<std::size_t>(wizard::Figure::TpsIdle)] = 0.45;
    result.unacknowledged = {7};
    result.failedWrites = 1;
    handOver->afterAdaptation(result);
    QCoreApplication::processEvents();
    const auto visits = visitsOf("WX 1234");
    ASSERT_EQ(visits.size(), 1u);
    ASSERT_TRUE(visits[0].adaptation);
    EXPECT_EQ(visits[0].adaptation->substr(0, 12), "finished: no");
    EXPECT_FALSE(visits[0].endSet) << "a write the controller did not take leaves its set unknown";
}

TEST_F(CarBookWindowTest, AVisitsSetIsWrittenAfterTheBulkWritesQuestionWithItsBackup)
{
    const book::Car car = addCar("WX 1234", "Opel Astra G");
    startWith(true);
    params::ParameterBlock set = session->state().block();
    set.bytes()[1] = 25;  // the lambda threshold, 0,50 V
    book::Visit visit;
    visit.time = 1765300000;
    visit.endSet = set;
    addVisit(car, visit);
    ui::CarBookWindow* book = openBook();
    ASSERT_NE(book, nullptr);
    selectCar(book, "WX 1234");
    ASSERT_TRUE(book->writeButton()->isEnabled());

    dialogs.answers = {false};
    book->writeButton()->click();
    ASSERT_EQ(dialogs.defaultNoQuestions.size(), 1);
    EXPECT_TRUE(dialogs.defaultNoQuestions[0].startsWith("Zapisać w sterowniku parametry z wizyty " +
                                                         ui::carbook::visitTime(1765300000) + " samochodu WX 1234?"))
        << dialogs.defaultNoQuestions[0].toStdString();
    EXPECT_NE(dialogs.defaultNoQuestions[0].indexOf("Liczba zmienianych wartości: 1"), -1);
    EXPECT_NE(controller.eeprom()[1], 25) << "no means nothing is written";
    EXPECT_TRUE(backups().empty());

    dialogs.answers = {true};
    book->writeButton()->click();
    EXPECT_EQ(controller.eeprom()[1], 25);
    EXPECT_EQ(backups().size(), 1u) << "the set it replaced is kept, as for any bulk write";
    EXPECT_EQ(fieldText("PRLambda"), "0,50");
}

TEST_F(CarBookWindowTest, AVisitsReportOpensFromATemporaryFile)
{
    const book::Car car = addCar("WX 1234", "Opel Astra G");
    book::Visit visit;
    visit.time = 1765300000;
    visit.reportPdf = std::vector<std::uint8_t>{'%', 'P', 'D', 'F', '-', '1'};
    addVisit(car, visit);
    ui::WindowBook windowBook(bookFile);
    QString opened;
    bool viewerThere = true;
    ui::CarBookActions actions;
    actions.openFile = [&](const QString& path) {
        opened = path;
        return viewerThere;
    };
    ui::CarBookWindow book(windowBook, &dialogs, actions, nullptr);
    book.refresh();
    ASSERT_TRUE(book.reportButton()->isEnabled());
    book.reportButton()->click();
    ASSERT_FALSE(opened.isEmpty());
    QFile file(opened);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("%PDF-1"));
    // A name of its own each time, readable by this user alone.
    EXPECT_TRUE(QFileInfo(opened).fileName().startsWith("raport-WX1234-")) << opened.toStdString();
    EXPECT_TRUE(opened.endsWith(".pdf"));
#ifndef _WIN32  // Windows keeps a user's temporary folder to the user
    EXPECT_EQ(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
#endif
    file.close();
    QFile::remove(opened);

    viewerThere = false;
    book.reportButton()->click();
    EXPECT_EQ(book.resultLine()->text(), "Nie można otworzyć raportu: brak programu do plików PDF");
    QFile::remove(opened);
}

}  // namespace

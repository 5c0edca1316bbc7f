// Moving the book to another PC: the whole of it out as JSON, merged in
// there without overwriting anything, and a bad file refused whole.
#include "BookFixture.h"
#include "StateFolder.h"

#include "book/BookJson.h"
#include "book/BookTransfer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace dravinor::book {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

struct BookTransfer : dravinor::testing::BookFixture {
    CarBook other;  // the book on the other PC
    fs::path json = folder / "book.json";

    void SetUp() override
    {
        BookFixture::SetUp();
        ASSERT_TRUE(usable(other.open(folder / "other-pc" / "workshop.sqlite").outcome));
    }

    // This book's cars and visits without their ids, which do not travel.
    static std::vector<CarWithVisits> contents(const CarBook& of)
    {
        std::vector<CarWithVisits> all;
        for (Car car : of.cars()) {
            auto visits = of.visitsOf(car.id);
            for (Visit& visit : visits)
                visit.id = visit.carId = 0;
            car.id = 0;
            all.push_back({car, visits});
        }
        return all;
    }

    static bool sameContents(const std::vector<CarWithVisits>& a, const std::vector<CarWithVisits>& b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!(a[i].car == b[i].car) || a[i].visits != b[i].visits)
                return false;
        return true;
    }

    void fillThisBook()
    {
        const Car opel = addCar("WX 1234A", "Opel Astra G");
        Car skoda{0, "KR 77-ZZ", "Škoda Felicia", "TMB123", "Жигули before"};
        ASSERT_EQ(book.addCar(skoda), BookWrite::Done);
        Visit full = fullVisit(opel.id);
        ASSERT_EQ(book.addVisit(full), BookWrite::Done);
        addVisit(opel.id, 1700000000);
        addVisit(skoda.id, 1700000000, 5);
    }
};

TEST_F(BookTransfer, CarriesEveryCarVisitSetAndReportAcross)
{
    fillThisBook();
    const ExportResult exported = exportBook(book, json);
    ASSERT_EQ(exported.outcome, ExportOutcome::Done) << exported.detail;
    EXPECT_EQ(exported.cars, 2u);
    EXPECT_EQ(exported.visits, 3u);
    const ImportResult imported = importBook(other, json);
    ASSERT_EQ(imported.outcome, ImportOutcome::Imported) << imported.detail;
    EXPECT_EQ(imported.counts.carsAdded, 2u);
    EXPECT_EQ(imported.counts.visitsAdded, 3u);
    EXPECT_TRUE(sameContents(contents(other), contents(book)));
}

TEST_F(BookTransfer, ImportingTwiceTakesNothingTheSecondTime)
{
    fillThisBook();
    ASSERT_EQ(exportBook(book, json).outcome, ExportOutcome::Done);
    const ImportResult again = importBook(book, json);
    ASSERT_EQ(again.outcome, ImportOutcome::Imported);
    EXPECT_EQ(again.counts.carsAdded, 0u);
    EXPECT_EQ(again.counts.carsKnown, 2u);
    EXPECT_EQ(again.counts.visitsAdded, 0u);
    EXPECT_EQ(again.counts.visitsSkipped, 3u);
}

TEST_F(BookTransfer, MergesByRegistrationAndNeverOverwritesAVisit)
{
    fillThisBook();
    ASSERT_EQ(exportBook(book, json).outcome, ExportOutcome::Done);
    // The other PC knows the Opel under another spelling, with its own
    // notes, and a visit at the same time with the same read set but other notes.
    Car opel{0, "wx-1234a", "Opel (theirs)", "", "their notes"};
    ASSERT_EQ(other.addCar(opel), BookWrite::Done);
    Visit theirs;
    theirs.carId = opel.id;
    theirs.time = fullVisit(opel.id).time;
    theirs.readSet = fullVisit(opel.id).readSet;
    theirs.notes = "their visit";
    ASSERT_EQ(other.addVisit(theirs), BookWrite::Done);
    Visit otherSet = theirs;
    otherSet.readSet = setOf(1);
    otherSet.time = 1700000000;
    ASSERT_EQ(other.addVisit(otherSet), BookWrite::Done);

    const ImportResult imported = importBook(other, json);
    ASSERT_EQ(imported.outcome, ImportOutcome::Imported);
    EXPECT_EQ(imported.counts.carsKnown, 1u);
    EXPECT_EQ(imported.counts.carsAdded, 1u);
    EXPECT_EQ(imported.counts.visitsSkipped, 1u);
    EXPECT_EQ(imported.counts.visitsAdded, 2u) << "same time, but no read set where theirs had one";
    EXPECT_EQ(*other.carByRegistration("WX1234A"), opel) << "the car's own details stay";
    const auto visits = other.visitsOf(opel.id);
    ASSERT_EQ(visits.size(), 3u);
    EXPECT_EQ(visits[0].notes, "their visit");
}

TEST_F(BookTransfer, AMalformedFileIsRefusedWholeAndSaysWhere)
{
    const std::string goodCar = R"({"registration": "PO 1", "visits": [{"time": 5}]})";
    struct Case {
        std::string text;
        JsonProblem problem;
        std::string where;
    };
    const Case cases[] = {
        {"", JsonProblem::NotJson, ""},
        {"{\"format\": \"dravinor-car-book\", ", JsonProblem::NotJson, ""},
        {"[1, 2]", JsonProblem::NotABook, ""},
        {R"({"format": "something else", "version": 1, "cars": []})", JsonProblem::NotABook, ""},
        {R"({"format": "dravinor-car-book", "version": 2, "cars": []})", JsonProblem::NewerFormat, ""},
        {R"({"format": "dravinor-car-book", "version": 1})", JsonProblem::BadEntry, "cars"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [)" + goodCar + R"(, {"registration": " - "}]})",
         JsonProblem::BadEntry, "cars[1].registration"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [)" + goodCar +
             R"(, {"registration": "PO 2", "visits": [{"time": 1}, {"time": "noon"}]}]})",
         JsonProblem::BadEntry, "cars[1].visits[1].time"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [{"registration": "PO 2", "visits": [{"time": 1, "readSet": "AAAA"}]}]})",
         JsonProblem::BadEntry, "cars[0].visits[0].readSet"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [{"registration": "PO 2", "visits": [{"time": 1, "reportPdf": "%PDF"}]}]})",
         JsonProblem::BadEntry, "cars[0].visits[0].reportPdf"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [{"registration": "PO 2", "visits": [{"time": 1, "journal": {"first": 9, "last": 2}}]}]})",
         JsonProblem::BadEntry, "cars[0].visits[0].journal"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [{"registration": "PO 2", "visits": [{"time": 18446744073709551615}]}]})",
         JsonProblem::BadEntry, "cars[0].visits[0].time"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [{"registration": "PO 2", "visits": {"time": 1}}]})",
         JsonProblem::BadEntry, "cars[0].visits"},
        {R"({"format": "dravinor-car-book", "version": 1, "cars": [)" + std::string(100, '[') + std::string(100, ']') +
             "]}",
         JsonProblem::NotJson, ""},
    };
    for (const Case& bad : cases) {
        writeText(json, bad.text);
        const ImportResult imported = importBook(book, json);
        EXPECT_EQ(imported.outcome, ImportOutcome::Malformed) << bad.text;
        EXPECT_EQ(imported.problem, bad.problem) << bad.text;
        EXPECT_EQ(imported.detail, bad.where) << bad.text;
        EXPECT_TRUE(book.cars().empty()) << "nothing taken from " << bad.text;
    }
}

TEST_F(BookTransfer, AFileThatCannotBeReadIsSaidSo)
{
    const ImportResult missing = importBook(book, folder / "missing.json");
    EXPECT_EQ(missing.outcome, ImportOutcome::CannotRead);
    EXPECT_EQ(missing.fileError, params::RegularFileError::Missing);
    fs::create_directories(folder / "a-folder.json");
    const ImportResult folderImport = importBook(book, folder / "a-folder.json");
    EXPECT_EQ(folderImport.outcome, ImportOutcome::CannotRead);
    EXPECT_EQ(folderImport.fileError, params::RegularFileError::Directory);
#ifndef _WIN32
    // A FIFO is never waited on: nothing would ever come.
    ASSERT_EQ(::mkfifo((folder / "pipe.json").c_str(), 0600), 0);
    const ImportResult fifoImport = importBook(book, folder / "pipe.json");
    EXPECT_EQ(fifoImport.outcome, ImportOutcome::CannotRead);
    EXPECT_EQ(fifoImport.fileError, params::RegularFileError::NotAFile);
#endif
}

// One transaction: when the book refuses a write half-way, the cars
// before it are not kept either.
TEST_F(BookTransfer, AnImportTheBookCannotHoldTakesNothing)
{
    fillThisBook();
    // A report too big for the room the other book has left, on the file's last car.
    Visit big;
    big.carId = book.carByRegistration("WX1234A")->id;
    big.time = 1;
    big.reportPdf = std::vector<std::uint8_t>(100000, 1);
    ASSERT_EQ(book.addVisit(big), BookWrite::Done);
    ASSERT_EQ(exportBook(book, json).outcome, ExportOutcome::Done);
    const auto pages = queryInteger(other.handle(), "PRAGMA page_count");
    ASSERT_EQ(execute(other.handle(), ("PRAGMA max_page_count = " + std::to_string(*pages)).c_str()), SQLITE_OK);

    const ImportResult imported = importBook(other, json);
    EXPECT_EQ(imported.outcome, ImportOutcome::WriteFailed);
    EXPECT_EQ(imported.write, BookWrite::DiskFull);
    EXPECT_TRUE(other.cars().empty());
}

TEST_F(BookTransfer, AnExportIsNeverWrittenOverAFolder)
{
    fs::create_directories(json);
    const ExportResult exported = exportBook(book, json);
    EXPECT_EQ(exported.outcome, ExportOutcome::NotAFile);
    EXPECT_TRUE(fs::is_directory(json));
}

TEST_F(BookTransfer, ASecondExportReplacesTheFirstWholeAndLeavesNothingBeside)
{
    fillThisBook();
    writeText(json, "an older export");
    ASSERT_EQ(exportBook(book, json).outcome, ExportOutcome::Done);
    ASSERT_EQ(importBook(other, json).outcome, ImportOutcome::Imported);
    EXPECT_TRUE(sameContents(contents(other), contents(book)));

    std::vector<std::string> beside;
    for (const auto& entry : fs::directory_iterator(json.parent_path()))
        if (entry.is_regular_file() && entry.path().filename().string().find("book.json") != std::string::npos)
            beside.push_back(entry.path().filename().string());
    EXPECT_EQ(beside, std::vector<std::string>{"book.json"});
}

}  // namespace
}  // namespace dravinor::book

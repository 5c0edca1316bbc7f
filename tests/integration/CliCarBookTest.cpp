// dravinor-cli cars and car: the workshop's car book from the command line,
// in a data folder of each test's own; read records a visit of the current car.
#include "CliFixture.h"
#include "TestLocations.h"

#include "book/CarBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace dravinor;
using dravinor::testing::CliRun;
namespace fs = std::filesystem;

namespace {

struct CliCarBook : dravinor::testing::CliFixture {
    fs::path data = dir / "data";
    std::string savedTz;
    bool hadTz = false;

    void SetUp() override
    {
        ::setenv("DRAVINOR_DATA_DIR", data.c_str(), 1);
        // Visit times are shown in local time: the tests' local time is UTC.
        if (const char* tz = std::getenv("TZ")) {
            hadTz = true;
            savedTz = tz;
        }
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void TearDown() override
    {
        if (hadTz)
            ::setenv("TZ", savedTz.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

    // What the book holds of a car now, as another program would see it.
    std::vector<book::Visit> visitsIn(const std::string& registration)
    {
        book::CarBook book;
        EXPECT_TRUE(book::usable(book.open(data / "workshop.sqlite").outcome));
        const auto car = book.carByRegistration(registration);
        EXPECT_TRUE(car) << registration;
        return car ? book.visitsOf(car->id) : std::vector<book::Visit>();
    }

    static std::size_t lineCount(const std::string& text)
    {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }
};

TEST_F(CliCarBook, AddsCarsAndFindsThemAsTyped)
{
    ASSERT_EQ(cli("car 'WX 1234-A' --add --make-model 'Škoda Felicia' --vin TMB1 --notes 'gas since 2019'").exitCode,
              0);
    ASSERT_EQ(cli("car 'PO 55' --add --make-model 'Opel Astra'").exitCode, 0);

    CliRun run = cli("cars");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(lineCount(run.out), 3u) << run.out;
    EXPECT_NE(run.out.find("WX 1234-A" + std::string(5, ' ') + "Škoda Felicia" + std::string(8, ' ') + "0  -"),
              std::string::npos)
        << run.out;
    run = cli("cars wx1234");
    EXPECT_EQ(lineCount(run.out), 2u) << run.out;
    EXPECT_NE(run.out.find("WX 1234-A"), std::string::npos);
    run = cli("cars astra");
    EXPECT_NE(run.out.find("PO 55"), std::string::npos);
    EXPECT_EQ(run.out.find("WX"), std::string::npos);
    run = cli("cars nothing");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("No car in the book matches 'nothing'"), std::string::npos);

    run = cli("car wx1234a");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("WX 1234-A  Škoda Felicia  VIN TMB1"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("gas since 2019"), std::string::npos);
    EXPECT_TRUE(fs::exists(data / "workshop.sqlite"));
}

TEST_F(CliCarBook, RefusesWhatItCannotDoWithAReason)
{
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat").exitCode, 0);
    struct Case {
        std::string line;
        int exitCode;
        std::string said;
    };
    const Case cases[] = {
        {"car wx-1 --add --make-model Ford", 1, "WX 1 is in the car book already; nothing added"},
        {"car 'KR 2' --add", 1, "car --add needs --make-model TEXT"},
        {"car ' - ' --add --make-model Ford", 1, "the registration number is empty"},
        {"car 'KR 2' --vin X", 1, "--make-model, --vin and --notes go with --add"},
        {"car 'KR 2'", 1, "no car KR 2 in the car book"},
        {"car 'WX 1' -o x.PAR", 1, "-o FILE goes with --visit N"},
        {"car 'WX 1' --visit 1", 1, "WX 1 has no visits, not visit 1"},
        {"car 'WX 1' --visit 0 -o x.PAR", 1, "--visit 0 out of 1.."},
        {"car 'WX 1' --visit 1 -o '" + (dir / "x.PAR").string() + "'", 1, "WX 1 has no visits, not visit 1"},
        {"car", 1, "car takes one registration number, got 0"},
        {"cars a b", 1, "cars takes at most one search text, got 2"},
        {"cars x --export y.json", 1, "one at a time"},
    };
    for (const Case& bad : cases) {
        const CliRun run = cli(bad.line);
        EXPECT_EQ(run.exitCode, bad.exitCode) << bad.line << "\n" << run.err;
        EXPECT_NE(run.err.find(bad.said), std::string::npos) << bad.line << "\n" << run.err;
    }
    EXPECT_FALSE(fs::exists(dir / "x.PAR"));
    EXPECT_EQ(lineCount(cli("cars").out), 2u) << "still the one car";
}

TEST_F(CliCarBook, ReadRecordsAVisitOfTheCurrentCarWhoseSetSavesAsAFile)
{
    // No car is current: a read records nothing, and makes no book either.
    ASSERT_EQ(cli("read").exitCode, 0);
    EXPECT_FALSE(fs::exists(data / "workshop.sqlite"));

    CliRun run = cli("car 'WX 1' --add --make-model Fiat --current");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("WX 1 is the current car"), std::string::npos) << run.err;
    const std::time_t before = std::time(nullptr);
    run = cli("read");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Recorded as a visit of WX 1 in the car book"), std::string::npos) << run.err;

    run = cli("car wx1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("  1  "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[read set]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("controller type "), std::string::npos) << run.out;
    {
        const auto visits = visitsIn("WX1");
        ASSERT_EQ(visits.size(), 1u);
        EXPECT_GE(visits[0].time, before);
        ASSERT_TRUE(visits[0].readSet);
        EXPECT_EQ(visits[0].readSet->bytes(), controller.eeprom());
    }

    const fs::path file = dir / "wx1.PAR";
    run = cli("car 'WX 1' --visit 1 -o '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("the set read when it came (it has no end set)"), std::string::npos) << run.err;
    EXPECT_EQ(fileBytes(file), controller.eeprom());
    // Saved again: the parameter file's save keeps the one before as .BAK.
    ASSERT_EQ(cli("car 'WX 1' --visit 1 -o '" + file.string() + "'").exitCode, 0);
    EXPECT_TRUE(fs::exists(dir / "wx1.BAK"));

    run = cli("cars --forget-current");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(cli("read").exitCode, 0);
    EXPECT_NE(cli("cars").out.find("     1  "), std::string::npos) << "still one visit";
}

TEST_F(CliCarBook, AVisitKeepsItsNumberWhenLaterVisitsCome)
{
    {
        book::CarBook book;
        ASSERT_TRUE(book::usable(book.open(data / "workshop.sqlite").outcome));
        book::Car car{0, "WX 1", "Opel", "", ""};
        ASSERT_EQ(book.addCar(car), book::BookWrite::Done);
        for (int day = 0; day < 2; ++day) {
            book::Visit visit;
            visit.carId = car.id;
            visit.time = 1'700'000'000 + day * 86'400;
            params::ParameterBlock set;
            set.bytes()[1] = static_cast<std::uint8_t>(10 + day);
            visit.readSet = set;
            ASSERT_EQ(book.addVisit(visit), book::BookWrite::Done);
        }
    }
    const auto run = cli("car 'WX 1'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_LT(run.out.find("  2  2023-11-15"), run.out.find("  1  2023-11-14")) << run.out;
    const fs::path file = dir / "first.PAR";
    ASSERT_EQ(cli("car 'WX 1' --visit 1 -o '" + file.string() + "'").exitCode, 0);
    EXPECT_EQ(fileBytes(file)[1], 10) << "visit 1 is the first visit";

    // Shown whole, what an adaptation measured with it.
    {
        book::CarBook book;
        ASSERT_TRUE(book::usable(book.open(data / "workshop.sqlite").outcome));
        auto visit = book.visitsOf(book.carByRegistration("WX 1")->id).front();
        visit.adaptation = "finished: yes\ntps: 0,45 1,40 3,80 V\n";
        ASSERT_EQ(book.updateVisit(visit), book::BookWrite::Done);
    }
    const auto shown = cli("car 'WX 1' --visit 2");
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("  2  2023-11-15"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("  Auto-adaptation:\n    finished: yes\n    tps: 0,45 1,40 3,80 V\n"), std::string::npos)
        << shown.out;
}

TEST_F(CliCarBook, AReadGoesOnWhenItsVisitCannotBeRecorded)
{
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat --current").exitCode, 0);
    fs::remove(data / "workshop.sqlite");
    CliRun run = cli("read");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("the current car WX 1 is not in the car book"), std::string::npos) << run.err;

    fs::remove_all(data / "workshop.sqlite");
    fs::create_directories(data / "workshop.sqlite");
    run = cli("read");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("not a car book file"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("the read is not recorded as a visit of WX 1"), std::string::npos) << run.err;
}

TEST_F(CliCarBook, AWholeWriteIsTheEndSetOfTodaysVisitOrOfANewOne)
{
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat --current").exitCode, 0);
    const fs::path file = dir / "tuned.PAR";
    ASSERT_EQ(cli("read -o '" + file.string() + "'").exitCode, 0);
    auto tuned = fileBytes(file);
    tuned[1] = static_cast<std::uint8_t>(tuned[1] + 1);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(tuned.data()), static_cast<std::streamsize>(tuned.size()));

    CliRun run = cli("write --yes '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Recorded as the end set of today's visit of WX 1"), std::string::npos) << run.err;
    {
        const auto visits = visitsIn("WX1");
        ASSERT_EQ(visits.size(), 1u) << "the read's visit, now with its end set";
        ASSERT_TRUE(visits[0].readSet && visits[0].endSet);
        EXPECT_NE(visits[0].readSet->bytes(), visits[0].endSet->bytes());
        EXPECT_EQ(visits[0].endSet->bytes(), controller.eeprom());
    }

    // A car that had no visit today gets one, with the end set alone.
    ASSERT_EQ(cli("car 'KR 2' --add --make-model Lada --current").exitCode, 0);
    run = cli("write --yes '" + file.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Recorded as the end set of a new visit of KR 2"), std::string::npos) << run.err;
    const auto visits = visitsIn("KR2");
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_FALSE(visits[0].readSet);
    ASSERT_TRUE(visits[0].endSet);
    EXPECT_EQ(visits[0].endSet->bytes(), controller.eeprom());
}

TEST_F(CliCarBook, AVisitKeepsTheWritesItMadeAndListsThemFromTheJournal)
{
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat --current").exitCode, 0);
    ASSERT_EQ(cli("read").exitCode, 0);
    CliRun run = cli("set 4 99");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Recorded as the writes of today's visit of WX 1"), std::string::npos) << run.err;
    ASSERT_EQ(cli("set 34 1").exitCode, 0);
    const auto visits = visitsIn("WX1");
    ASSERT_EQ(visits.size(), 1u) << "the writes belong to the read's visit";
    ASSERT_TRUE(visits[0].journal);
    EXPECT_LE(visits[0].journal->first, visits[0].journal->last);

    run = cli("car 'WX 1' --visit 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("[read set, writes]"), std::string::npos) << run.out;
    const auto writes = run.out.find("  Writes (newest first):\n");
    ASSERT_NE(writes, std::string::npos) << run.out;
    const auto second = run.out.find("@34", writes);
    const auto first = run.out.find("@4:", writes);
    EXPECT_NE(second, std::string::npos) << run.out;
    EXPECT_LT(second, first) << run.out;

    // A journal that has rotated past the visit says so.
    std::filesystem::remove(folder.journal());
    run = cli("car 'WX 1' --visit 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("  Writes: the journal no longer holds them"), std::string::npos) << run.out;
}

TEST_F(CliCarBook, ASavedReportIsTheReportOfTodaysVisit)
{
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat --current").exitCode, 0);
    ASSERT_EQ(cli("read").exitCode, 0);
    const fs::path pdf = dir / "wx1.pdf";
    const CliRun run = cli("report -o '" + pdf.string() + "' --registration 'WX 1'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Recorded as the report of today's visit of WX 1"), std::string::npos) << run.err;
    const auto visits = visitsIn("WX1");
    ASSERT_EQ(visits.size(), 1u);
    ASSERT_TRUE(visits[0].readSet && visits[0].reportPdf);
    std::ifstream saved(pdf, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_EQ(*visits[0].reportPdf, bytes);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
}

TEST_F(CliCarBook, ExportAndImportMoveTheBookAndSayWhatTheyTookAndSkipped)
{
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat --current").exitCode, 0);
    ASSERT_EQ(cli("read").exitCode, 0);
    const fs::path json = dir / "book.json";
    CliRun run = cli("cars --export '" + json.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Exported 1 car and 1 visit to"), std::string::npos) << run.err;

    // The other PC.
    ::setenv("DRAVINOR_DATA_DIR", (dir / "other-pc").c_str(), 1);
    run = cli("cars --import '" + json.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Took 1 new car and 1 visit"), std::string::npos) << run.out;
    run = cli("cars --import '" + json.string() + "'");
    EXPECT_NE(run.out.find("Took 0 new cars and 0 visits"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Skipped 1 visit already in the book"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 car was known by registration"), std::string::npos) << run.out;

    std::ofstream(json, std::ios::app) << "trailing words";
    run = cli("cars --import '" + json.string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("not a JSON file, or cut short; nothing was imported"), std::string::npos) << run.err;
    run = cli("cars --export '" + dir.string() + "'");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_TRUE(fs::is_directory(dir));
}

TEST_F(CliCarBook, ADamagedBookIsKeptAsideAndAFolderInItsPlaceIsNamed)
{
    fs::create_directories(data);
    std::ofstream(data / "workshop.sqlite") << "not a database, but someone's only copy";
    CliRun run = cli("car 'WX 1' --add --make-model Fiat");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("was damaged: it is kept as " + (data / "workshop.sqlite.damaged-").string()),
              std::string::npos)
        << run.err;

    fs::remove_all(data);
    fs::create_directories(data / "workshop.sqlite");
    run = cli("cars");
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("is not a car book file (a folder or a device holds its name)"), std::string::npos)
        << run.err;
}

// As a process, with the data folder from the environment.
TEST(CliCarBookProcess, ListsTheBookOfTheDataFolderItIsGiven)
{
    dravinor::testing::StateFolder folder;
    const std::string env = "DRAVINOR_DATA_DIR='" + (folder / "data").string() + "' ";
    const std::string cli = env + "'" + dravinor::testing::cliProgram() + "' ";
    const std::string out = (folder / "out").string();
    ASSERT_EQ(std::system((cli + "car 'KR 7' --add --make-model Lada >/dev/null 2>&1").c_str()), 0);
    ASSERT_EQ(std::system((cli + "cars kr >'" + out + "' 2>&1").c_str()), 0);
    EXPECT_NE(dravinor::testing::slurp(out).find("KR 7"), std::string::npos) << dravinor::testing::slurp(out);
    EXPECT_TRUE(fs::exists(folder / "data" / "workshop.sqlite"));
}

}  // namespace

// Opening the book: a new one, an old one, and the ways a file can be
// unusable. Nothing is ever deleted; a book that cannot be used says why.
#include "BookFixture.h"
#include "StateFolder.h"

#include "book/BookFile.h"
#include "book/Schema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#ifndef _WIN32
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace dravinor::book {
namespace {

namespace fs = std::filesystem;
using dravinor::testing::integrityOf;
using dravinor::testing::StateFolder;

void writeText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::string readText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<fs::path> damagedCopies(const fs::path& folder)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".damaged-") != std::string::npos &&
            !entry.path().string().ends_with("-wal") && !entry.path().string().ends_with("-shm"))
            found.push_back(entry.path());
    return found;
}

// "workshop.sqlite.damaged-" and a date and time, YYYYMMDD-HHMMSS.
bool isDatedName(const std::string& name)
{
    const std::string head = "workshop.sqlite.damaged-";
    const std::string stamp = name.substr(std::min(name.size(), head.size()));
    if (!name.starts_with(head) || stamp.size() != 15 || stamp[8] != '-')
        return false;
    return std::all_of(stamp.begin(), stamp.end(),
                       [](char c) { return c == '-' || std::isdigit(static_cast<unsigned char>(c)); });
}

// A book of one car with a visit, closed.
void bookWithOneCar(const fs::path& file)
{
    CarBook book;
    ASSERT_TRUE(usable(book.open(file).outcome));
    Car car{0, "WX 1", "Fiat 126p", "", ""};
    ASSERT_EQ(book.addCar(car), BookWrite::Done);
}

TEST(BookOpening, StartsANewBookInAFolderItMakesThenFindsItAgain)
{
    StateFolder folder;
    const fs::path file = folder / "data" / "dravinor" / "workshop.sqlite";
    {
        CarBook book;
        EXPECT_EQ(book.open(file).outcome, BookOpen::Created);
        EXPECT_EQ(bookVersion(book.handle()), latestVersion());
        Car car{0, "WX 1", "", "", ""};
        EXPECT_EQ(book.addCar(car), BookWrite::Done);
    }
    CarBook book;
    EXPECT_EQ(book.open(file).outcome, BookOpen::Opened);
    EXPECT_TRUE(book.carByRegistration("WX1"));
    EXPECT_EQ(queryInteger(book.handle(), "PRAGMA foreign_keys"), 1);
    Statement mode(book.handle(), "PRAGMA journal_mode");
    ASSERT_EQ(mode.step(), SQLITE_ROW);
    EXPECT_EQ(mode.text(0), "wal");
}

TEST(BookOpening, AFileThatIsNoDatabaseIsMovedAsideUnderADatedName)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    const std::string text = "Kowalski: Opel, 2 visits\n" + std::string(5000, 'x');
    writeText(file, text);
    CarBook book;
    const OpenResult opened = book.open(file);
    ASSERT_EQ(opened.outcome, BookOpen::DamagedReplaced);
    const auto copies = damagedCopies(folder.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(opened.detail, copies.front().string());
    EXPECT_TRUE(isDatedName(copies.front().filename().string())) << copies.front();
    EXPECT_EQ(readText(copies.front()), text) << "kept byte for byte";
    Car car{0, "WX 1", "", "", ""};
    EXPECT_EQ(book.addCar(car), BookWrite::Done) << "a fresh book goes on";
}

TEST(BookOpening, ADamagedNameAlreadyTakenGetsANumber)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    const std::time_t now = 1765290000;
    const fs::path first = damagedPath(file, now);
    writeText(first, "older");
    const fs::path second = damagedPath(file, now);
    EXPECT_EQ(second.string(), first.string() + "-2");
    EXPECT_FALSE(moveAside(file, second)) << "no book to move";
}

// Damage inside the file that keeps its size goes unseen at opening (that
// is what keeps opening fast); once the size changes the whole file is checked.
TEST(BookOpening, ChecksTheFileOnlyWhenItsSizeChangedSinceItWasClosed)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    {
        CarBook book;
        ASSERT_TRUE(usable(book.open(file).outcome));
        for (int i = 0; i < 300; ++i) {
            Car car{0, "WX " + std::to_string(i), std::string(200, 'm'), "", ""};
            ASSERT_EQ(book.addCar(car), BookWrite::Done);
        }
    }
    const auto size = fs::file_size(file);
    ASSERT_EQ(recordedSize(file), size);
    // Scribble over the middle of the car table's pages.
    std::string bytes = readText(file);
    for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 3000; ++i)
        bytes[i] = static_cast<char>(i * 7);
    writeText(file, bytes);
    {
        CarBook book;
        EXPECT_EQ(book.open(file).outcome, BookOpen::Opened) << "same size: not checked";
    }
    writeText(file, bytes + std::string(4096, '\0'));
    CarBook book;
    EXPECT_EQ(book.open(file).outcome, BookOpen::DamagedReplaced);
    EXPECT_EQ(damagedCopies(folder.path()).size(), 1u);
}

TEST(BookOpening, AFolderInItsPlaceIsReportedAndLeftAlone)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    fs::create_directories(file / "inside");
    CarBook book;
    EXPECT_EQ(book.open(file).outcome, BookOpen::NotAFile);
    EXPECT_FALSE(book.isOpen());
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_TRUE(damagedCopies(folder.path()).empty());
}

TEST(BookOpening, AFileInPlaceOfTheFolderIsReported)
{
    StateFolder folder;
    writeText(folder / "data", "not a folder");
    CarBook book;
    EXPECT_EQ(book.open(folder / "data" / "workshop.sqlite").outcome, BookOpen::CannotMakeFolder);
    EXPECT_EQ(readText(folder / "data"), "not a folder");
}

TEST(BookOpening, ABookOfANewerProgramIsNotTouched)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    bookWithOneCar(file);
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(execute(db, ("PRAGMA user_version = " + std::to_string(latestVersion() + 1)).c_str()), SQLITE_OK);
        sqlite3_close(db);
    }
    CarBook book;
    EXPECT_EQ(book.open(file).outcome, BookOpen::NewerBook);
    EXPECT_FALSE(book.isOpen());
    EXPECT_TRUE(damagedCopies(folder.path()).empty());
}

// Write-protected as the system allows: by its mode, or for root (whom
// modes do not stop) by the immutable flag; on Windows a file by its
// read-only attribute (a folder's does not stop writing into it). Undone
// when the test ends.
class WriteProtected {
public:
    explicit WriteProtected(fs::path path) : path_(std::move(path))
    {
        if (!byRootOnPosix()) {
            previous_ = fs::status(path_).permissions();
            if (!protects())
                return;
            fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
            // Under wine run by root the attribute is only a mode, which stops nobody.
            done_ = fs::is_directory(path_) || !std::ofstream(path_, std::ios::app);
            if (!done_)
                fs::permissions(path_, previous_);
        } else {
            done_ = setImmutable(true);
        }
    }
    ~WriteProtected()
    {
        if (!done_)
            return;
        if (!byRootOnPosix())
            fs::permissions(path_, previous_);
        else
            setImmutable(false);
    }
    WriteProtected(const WriteProtected&) = delete;
    WriteProtected& operator=(const WriteProtected&) = delete;

    bool done() const { return done_; }

private:
#ifdef _WIN32
    bool byRootOnPosix() const
    {
        return false;
    }
    bool protects() const
    {
        return fs::is_regular_file(path_);
    }
    bool setImmutable(bool)
    {
        return false;
    }
#else
    bool byRootOnPosix() const
    {
        return ::geteuid() == 0;
    }
    bool protects() const
    {
        return true;
    }
    bool setImmutable(bool on)
    {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool set = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (set) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return set;
    }
#endif

    fs::path path_;
    fs::perms previous_ = fs::perms::none;
    bool done_ = false;
};

TEST(BookOpening, AReadOnlyBookIsReportedNotChanged)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    bookWithOneCar(file);
    const auto size = fs::file_size(file);
    const WriteProtected protectedFile(file);
    if (!protectedFile.done())
        GTEST_SKIP() << "this file system cannot write-protect a file from root";
    CarBook book;
    EXPECT_EQ(book.open(file).outcome, BookOpen::ReadOnly);
    EXPECT_FALSE(book.isOpen());
    EXPECT_EQ(fs::file_size(file), size);
    EXPECT_TRUE(damagedCopies(folder.path()).empty());
}

TEST(BookOpening, AFolderThatMayNotBeWrittenIsReported)
{
    StateFolder folder;
    fs::create_directories(folder / "data");
    const WriteProtected protectedFolder(folder / "data");
    if (!protectedFolder.done())
        GTEST_SKIP() << "this file system cannot write-protect a folder from root";
    CarBook book;
    EXPECT_EQ(book.open(folder / "data" / "workshop.sqlite").outcome, BookOpen::ReadOnly);
    EXPECT_FALSE(book.isOpen());
}

TEST(BookOpening, TwoProgramsShareTheBook)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    CarBook window;
    CarBook commandLine;
    ASSERT_TRUE(usable(window.open(file).outcome));
    ASSERT_TRUE(usable(commandLine.open(file).outcome));
    Car car{0, "WX 1", "", "", ""};
    ASSERT_EQ(commandLine.addCar(car), BookWrite::Done);
    EXPECT_TRUE(window.carByRegistration("WX 1"));
    Visit visit;
    visit.carId = car.id;
    EXPECT_EQ(window.addVisit(visit), BookWrite::Done);
    EXPECT_EQ(commandLine.visitsOf(car.id).size(), 1u);
    EXPECT_EQ(integrityOf(window.handle()), "ok");
}

// The window holds the book for a moment (a write of its own): the command
// line's write waits for it rather than failing.
TEST(BookOpening, AWriteWaitsForTheOtherProgramsWrite)
{
    StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    CarBook window;
    CarBook commandLine;
    ASSERT_TRUE(usable(window.open(file).outcome));
    ASSERT_TRUE(usable(commandLine.open(file).outcome));
    ASSERT_EQ(execute(window.handle(), "BEGIN IMMEDIATE"), SQLITE_OK);
    std::thread windowFinishes([&window] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        execute(window.handle(), "COMMIT");
    });
    Car car{0, "WX 1", "", "", ""};
    EXPECT_EQ(commandLine.addCar(car), BookWrite::Done);
    windowFinishes.join();
    EXPECT_TRUE(window.carByRegistration("WX 1"));
}

// A full disk, as SQLite meets it: the book refuses to grow.
TEST(BookOpening, AFullDiskCostsOnlyTheWriteThatDidNotFit)
{
    StateFolder folder;
    CarBook book;
    ASSERT_TRUE(usable(book.open(folder / "workshop.sqlite").outcome));
    Car car{0, "WX 1", "", "", ""};
    ASSERT_EQ(book.addCar(car), BookWrite::Done);
    const auto pages = queryInteger(book.handle(), "PRAGMA page_count");
    ASSERT_TRUE(pages);
    ASSERT_EQ(execute(book.handle(), ("PRAGMA max_page_count = " + std::to_string(*pages)).c_str()), SQLITE_OK);
    Visit big;
    big.carId = car.id;
    big.reportPdf = std::vector<std::uint8_t>(200000, 0x25);
    EXPECT_EQ(book.addVisit(big), BookWrite::DiskFull);
    EXPECT_EQ(big.id, 0);
    EXPECT_TRUE(book.visitsOf(car.id).empty());
    Visit small;
    small.carId = car.id;
    EXPECT_EQ(book.addVisit(small), BookWrite::Done);
    EXPECT_EQ(integrityOf(book.handle()), "ok");
}

}  // namespace
}  // namespace dravinor::book

// What the look before every save finds, and the files opened to write as
// they go (recordings, the journal) refusing FIFOs and devices unopened.
#include "params/SaveTarget.h"
#include "SpecialFiles.h"
#include "StateFolder.h"
#include "params/RegularFile.h"
#include "params/WriteJournal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;

TEST(SaveTarget, EachKindOfNameIsToldApartWithoutOpeningIt)
{
    const testing::StateFolder folder;
    const fs::path dir = folder.path();
    std::ofstream(dir / "car.PAR") << "x";
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    const fs::path device = testing::privateCharacterDevice(dir);
    fs::create_symlink(device, dir / "to-device");
    fs::create_symlink("car.PAR", dir / "to-car");
    fs::create_symlink("new.PAR", dir / "dangling");
    fs::create_symlink("loop", dir / "loop");

    using Kind = SaveTargetKind;
    const struct {
        const char* name;
        Kind kind;
        bool throughLink;
        fs::path file;
    } cases[] = {
        {"new.PAR", Kind::NewName, false, dir / "new.PAR"},
        {"car.PAR", Kind::RegularFile, false, dir / "car.PAR"},
        {"folder", Kind::Directory, false, dir / "folder"},
        {"fifo", Kind::Fifo, false, dir / "fifo"},
        {"to-device", Kind::CharacterDevice, true, device},
        {"to-car", Kind::RegularFile, true, dir / "car.PAR"},
        {"dangling", Kind::NewName, true, dir / "new.PAR"},
        {"loop", Kind::LinkLoop, true, dir / "loop"},
        {"car.PAR/x", Kind::Unreachable, false, dir / "car.PAR/x"},
    };
    for (const auto& c : cases) {
        const SaveTarget target = examineSaveTarget(dir / c.name);
        EXPECT_EQ(target.kind, c.kind) << c.name;
        EXPECT_EQ(target.throughLink, c.throughLink) << c.name;
        EXPECT_EQ(target.file, c.file) << c.name;
        EXPECT_EQ(target.savable(), c.kind == Kind::NewName || c.kind == Kind::RegularFile) << c.name;
    }
    EXPECT_TRUE(testing::isFifo(dir / "fifo")) << "only looked at";
}

// A recording and the journal write as they go: a FIFO or a device in
// their place is refused before it is opened, and the journal's rotation
// does not rename over one.
TEST(SaveTarget, FilesOpenedToWriteRefuseAFifoOrADeviceNodeUnopened)
{
    const testing::StateFolder folder;
    const fs::path dir = folder.path();
    ASSERT_EQ(::mkfifo((dir / "rec.csv").c_str(), 0600), 0);
    const fs::path device = testing::privateCharacterDevice(dir);
    ASSERT_FALSE(examineSaveTarget(device).savable());
    for (const fs::path& path : {dir / "rec.csv", device}) {
        const OpenedFile file = openRegularFile(path, O_WRONLY | O_CREAT, 0666);
        EXPECT_EQ(file.error, RegularFileError::NotAFile) << path;
        EXPECT_FALSE(file.target.savable()) << path;
    }

    WriteJournal journal(dir / "journal.log");
    std::ofstream(journal.path()) << std::string(WriteJournal::rotateBytes, '\n');
    ASSERT_EQ(::mkfifo(journal.rotatedPath().c_str(), 0600), 0);
    EXPECT_TRUE(journal.append(JournalEntry{})) << journal.lastError();
    EXPECT_TRUE(testing::isFifo(journal.rotatedPath()));
    EXPECT_TRUE(testing::isFifo(dir / "rec.csv"));
    EXPECT_TRUE(testing::isCharacterDevice(device));
}

}  // namespace
}  // namespace dravinor::params

// The book's layout, step by step: each step whole or not at all, and a
// book stopped between steps goes on from where it stopped.
#include "StateFolder.h"

#include "book/Schema.h"
#include "book/Sqlite.h"

#include <gtest/gtest.h>

namespace dravinor::book {
namespace {

struct Schema : ::testing::Test {
    dravinor::testing::StateFolder folder;
    sqlite3* db = nullptr;

    void SetUp() override { ASSERT_EQ(sqlite3_open((folder / "book.sqlite").string().c_str(), &db), SQLITE_OK); }
    void TearDown() override { sqlite3_close(db); }

    bool hasTable(const char* name)
    {
        Statement query(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
        query.bind(1, std::string_view(name));
        return query.step() == SQLITE_ROW;
    }
};

TEST_F(Schema, StepsAreNumberedUpwardFromOne)
{
    int previous = 0;
    for (const Migration& step : migrations()) {
        EXPECT_EQ(step.version, previous + 1);
        previous = step.version;
    }
    EXPECT_EQ(previous, latestVersion());
}

TEST_F(Schema, AnEmptyFileGetsEveryStep)
{
    EXPECT_EQ(bookVersion(db), 0);
    ASSERT_EQ(migrate(db), SQLITE_OK);
    EXPECT_EQ(bookVersion(db), latestVersion());
    EXPECT_TRUE(hasTable("car"));
    EXPECT_TRUE(hasTable("visit"));
    EXPECT_EQ(migrate(db), SQLITE_OK) << "a second time changes nothing";
}

TEST_F(Schema, AFailingStepLeavesTheBookWholeAtTheStepBefore)
{
    const Migration steps[] = {
        {1, "CREATE TABLE one (x)"},
        {2, "CREATE TABLE two (x); CREATE TABLE broken (;"},
        {3, "CREATE TABLE three (x)"},
    };
    EXPECT_NE(migrate(db, steps), SQLITE_OK);
    EXPECT_EQ(bookVersion(db), 1);
    EXPECT_TRUE(hasTable("one"));
    EXPECT_FALSE(hasTable("two")) << "half a step is no step";
    EXPECT_FALSE(hasTable("three"));

    const Migration mended[] = {steps[0], {2, "CREATE TABLE two (x)"}, steps[2]};
    ASSERT_EQ(migrate(db, mended), SQLITE_OK);
    EXPECT_EQ(bookVersion(db), 3);
    EXPECT_TRUE(hasTable("three"));
}

}  // namespace
}  // namespace dravinor::book

#include "commands/nick_picture_table.h"

#include <gtest/gtest.h>

#include <string>

namespace korbi::commands {
namespace {

void ExpectRecord(const NickPictTable& table, int index, const std::string& nick,
                  const std::string& picture) {
    EXPECT_EQ(table.Record(index).nick, nick) << "record " << index;
    EXPECT_EQ(table.Record(index).picture, picture) << "record " << index;
}

TEST(NickPictTable, SameNickInOtherCaseReplacesItsRecord) {
    NickPictTable table;
    table.SetNickPict("bob", "a.bmp");
    table.SetNickPict("ann", "c.bmp");
    table.SetNickPict("BOB", "b.bmp");
    EXPECT_EQ(table.NickPictCount(), 2);
    ExpectRecord(table, 0, "BOB", "b.bmp");
    EXPECT_EQ(table.GetNickPict("Bob"), "b.bmp");
    EXPECT_EQ(table.FindNickPict("ANN"), 1);
    EXPECT_EQ(table.GetNickPict("carl"), "");
    EXPECT_EQ(table.FindNickPict("carl"), -1);
}

TEST(NickPictTable, EmptyPictureCountsAsNoneAndTheLaterRecordWins) {
    NickPictTable table;
    table.SetNickPict("bob", "");
    table.SetNickPict("bob", "cat");
    EXPECT_EQ(table.NickPictCount(), 2);
    EXPECT_EQ(table.FindNickPict("bob"), 1);
    EXPECT_EQ(table.GetNickPict("bob"), "cat");
    table.SetNickPict("bob", "dog");
    EXPECT_EQ(table.NickPictCount(), 2);
    ExpectRecord(table, 1, "bob", "dog");
}

TEST(NickPictTable, RemovingMovesLaterRecordsDown) {
    NickPictTable table;
    table.SetNickPict("a", "1");
    table.SetNickPict("b", "2");
    table.SetNickPict("c", "3");
    table.RemoveNickPict(0);
    EXPECT_EQ(table.NickPictCount(), 2);
    ExpectRecord(table, 0, "b", "2");
    ExpectRecord(table, 1, "c", "3");
    ExpectRecord(table, 2, ".", ".");
    EXPECT_EQ(table.FindNickPict("a"), -1);

    table.RemoveNickPict(1);
    EXPECT_EQ(table.NickPictCount(), 1);
    ExpectRecord(table, 0, "b", "2");
    ExpectRecord(table, 1, ".", ".");
    EXPECT_EQ(table.FindNickPict("."), -1); // the placeholder is never in use
}

TEST(NickPictTable, RemovingBeyondTheUsedRecordsOnlyEmptiesOne) {
    NickPictTable table;
    table.SetNickPict("a", "1");
    table.SetNickPict("b", "2");
    table.RemoveNickPict(1);
    table.RemoveNickPict(1); // now the placeholder, beyond the used records
    EXPECT_EQ(table.NickPictCount(), 1);
    ExpectRecord(table, 1, "", "");
    table.RemoveNickPict(-1);
    table.RemoveNickPict(NickPictTable::Capacity);
    EXPECT_EQ(table.NickPictCount(), 1);
    ExpectRecord(table, 0, "a", "1");
}

TEST(NickPictTable, FullTableTakesNoNewNicksButStillUpdates) {
    NickPictTable table;
    for (int i = 0; i < NickPictTable::Capacity; ++i) {
        table.SetNickPict("n" + std::to_string(i), "p");
    }
    EXPECT_EQ(table.NickPictCount(), NickPictTable::Capacity);
    table.SetNickPict("late", "x");
    EXPECT_EQ(table.NickPictCount(), NickPictTable::Capacity);
    EXPECT_EQ(table.FindNickPict("late"), -1);
    table.SetNickPict("N512", "new");
    ExpectRecord(table, 512, "N512", "new");

    table.RemoveNickPict(0);
    table.SetNickPict("late", "x");
    EXPECT_EQ(table.FindNickPict("late"), 512);
}

} // namespace
} // namespace korbi::commands

#include "core/nick_picture_table.h"

#include <gtest/gtest.h>

#include <string>

namespace korbi::core {
namespace {

std::string At(const NickPictTable& table, int index) {
    return table.Record(index).nick + "/" + table.Record(index).picture;
}

TEST(NickPictTable, SameNickInOtherCaseReplacesItsRecordUnlessItHasNoPicture) {
    NickPictTable table;
    table.SetNickPict("bob", "a.bmp");
    table.SetNickPict("ann", "c.bmp");
    table.SetNickPict("BOB", "b.bmp");
    EXPECT_EQ(table.NickPictCount(), 2);
    EXPECT_EQ(At(table, 0), "BOB/b.bmp");
    EXPECT_EQ(table.GetNickPict("Bob"), "b.bmp");
    EXPECT_EQ(table.FindNickPict("carl"), -1);

    // An empty picture counts as none: the later record wins.
    table.SetNickPict("carl", "");
    table.SetNickPict("carl", "cat");
    table.SetNickPict("carl", "dog");
    EXPECT_EQ(table.NickPictCount(), 4);
    EXPECT_EQ(table.FindNickPict("carl"), 3);
    EXPECT_EQ(At(table, 3), "carl/dog");
}

TEST(NickPictTable, RemovingMovesLaterRecordsDown) {
    NickPictTable table;
    table.SetNickPict("a", "1");
    table.SetNickPict("b", "2");
    table.SetNickPict("c", "3");
    table.RemoveNickPict(0);
    EXPECT_EQ(table.NickPictCount(), 2);
    EXPECT_EQ(At(table, 0) + " " + At(table, 1) + " " + At(table, 2), "b/2 c/3 ./.");
    EXPECT_EQ(table.FindNickPict("."), -1); // the placeholder is never in use

    table.RemoveNickPict(2); // beyond the records in use: only emptied
    table.RemoveNickPict(-1);
    table.RemoveNickPict(NickPictTable::Capacity);
    EXPECT_EQ(table.NickPictCount(), 2);
    EXPECT_EQ(At(table, 2), "/");
}

TEST(NickPictTable, FullTableTakesNoNewNicksButStillUpdates) {
    NickPictTable table;
    for (int i = 0; i < NickPictTable::Capacity; ++i) {
        table.SetNickPict("n" + std::to_string(i), "p");
    }
    table.SetNickPict("late", "x");
    EXPECT_EQ(table.NickPictCount(), NickPictTable::Capacity);
    EXPECT_EQ(table.FindNickPict("late"), -1);
    table.SetNickPict("N512", "new");
    EXPECT_EQ(At(table, 512), "N512/new");

    table.RemoveNickPict(0);
    table.SetNickPict("late", "x");
    EXPECT_EQ(table.FindNickPict("late"), 512);
}

} // namespace
} // namespace korbi::core

#include "panes/nick_list.h"

#include "irc/masks.h"
#include "panes/nick_index.h"
#include "support/fake_panes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace korbi::panes {
namespace {

using Texts = std::vector<std::string>;

// Names replies with single blanks are the replies' tests (session); here the blanks around.
TEST(NickListTest, NamesTextGivesExactlyTheNicksInOrder) {
    EXPECT_EQ(NickListNames(" ann  bea "), (Texts{"ann", "bea"}));
    EXPECT_TRUE(NickListNames("").empty());
    EXPECT_TRUE(NickListNames("   ").empty());
}

TEST(NickListTest, ChangesGoThroughTheHostAndIgnoreMarksAndCase) {
    testing::FakePanes host;
    const int slot = host.AddPane("#c");
    FillNickList(host, slot, "@Op +ann bob");
    AddNickToList(host, slot, "ANN");
    AddNickToList(host, slot, "");
    AddNickToList(host, slot, "carl");
    EXPECT_TRUE(RenameNickInList(host, slot, "op", "Boss"));
    EXPECT_TRUE(RemoveNickFromList(host, slot, "BOB"));
    EXPECT_FALSE(RemoveNickFromList(host, slot, "bob"));
    EXPECT_FALSE(RenameNickInList(host, slot, "zed", "x"));
    EXPECT_EQ(host.nickLists[static_cast<std::size_t>(slot)], (Texts{"+ann", "carl", "@Boss"}));
}

// The index must find exactly what a walk of the list finds, through any mix of changes,
// however often it renumbers its entries.
TEST(NickIndex, FindsWhatAWalkOfTheListFindsThroughAnyChanges) {
    const std::vector<std::string> names = {"ann", "Ann",  "@ann", "+ann", "@+ann", "bob",
                                            "BOB", "+bob", "@",    "+",    ""};
    std::mt19937 random(11);
    NickIndex index;
    std::vector<std::string> list;
    for (int step = 0; step < 20000; ++step) {
        const unsigned roll = random() % 1000;
        if (roll == 0) {
            index.Clear();
            list.clear();
        } else if (roll < 520) {
            const std::string& name = names[random() % names.size()];
            index.Append(name);
            list.push_back(name);
        } else if (!list.empty()) {
            const std::size_t position = random() % list.size();
            index.RemoveAt(position);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
        }
        ASSERT_EQ(index.Size(), list.size()) << "step " << step;
        for (const std::string& nick : names) {
            ASSERT_EQ(index.Find(nick), irc::FindNick(list, nick))
                << "step " << step << ", nick \"" << nick << '"';
        }
    }
    index.RemoveAt(list.size()); // outside the list: nothing happens
    EXPECT_EQ(index.Size(), list.size());
}

} // namespace
} // namespace korbi::panes

#include "panes/nick_list.h"
#include "support/fake_panes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::panes {
namespace {

using Texts = std::vector<std::string>;

// Names replies with single blanks are the replies' tests (session); here the blanks around.
TEST(NickListTest, NamesTextGivesExactlyTheNicksInOrder) {
    const std::vector<std::pair<std::string, Texts>> cases = {
        {" ann  bea ", {"ann", "bea"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& [names, expected] : cases) {
        SCOPED_TRACE(names);
        EXPECT_EQ(NickListNames(names), expected);
    }
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

} // namespace
} // namespace korbi::panes

#include "panes/nick_index.h"

#include "irc/masks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace korbi::panes {
namespace {

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

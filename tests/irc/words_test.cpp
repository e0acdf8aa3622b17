#include "irc/words.h"

#include <gtest/gtest.h>

#include <utility>

namespace korbi::irc {
namespace {

// Handlers cut the line end off the last word; a word without one must come back whole.
TEST(WithoutLineEnd, TakesOnlyAFinalCarriageReturnAndWhatFollowsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"text\r\n", "text"}, {"text\r", "text"}, {"text", "text"},
        {"a\rb", "a"},        {"\r", ""},         {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(WithoutLineEnd(text), expected) << text;
    }
}

} // namespace
} // namespace korbi::irc

#include "panes/nick_completion.h"

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

CompletionSource Channel(std::vector<std::string> recent = {}) {
    return {{"@bob", "+Bobby", "alice", "bart", "Joe", "@+carl", "bob"}, std::move(recent), "joe"};
}

TEST(NickCompletion, CompletesTheWordBeforeTheCaretOrLeavesTabToTheFormattingCode) {
    const struct {
        const char* text;
        std::size_t caret;
        std::optional<std::string> completed; // the caret ends after the completion
        std::size_t caretAfter;
    } cases[] = {
        {"bo", 2, "bob: ", 5},            // marks stripped, once each, alphabetical
        {"hi BO", 5, "hi bob ", 7},       // case ignored, nick's own case kept
        {"ca", 2, "carl: ", 6},           // two rank marks
        {"bo there", 2, "bob: there", 4}, // the blank that follows is kept, not doubled
        {"al, x", 2, "alice: , x", 7},    // what follows the caret stays
        {"jo", 2, std::nullopt, 0},       // the user's own nick is never offered
        {"zz", 2, std::nullopt, 0},
        {"hi ", 3, std::nullopt, 0}, // the caret after a blank
        {"", 0, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        NickCompleter completer;
        const auto result = completer.Complete({c.text, c.caret}, Channel());
        ASSERT_EQ(result.has_value(), c.completed.has_value()) << c.text;
        if (result) {
            EXPECT_EQ(result->text, *c.completed) << c.text;
            EXPECT_EQ(result->caret, c.caretAfter) << c.text;
        }
    }
}

TEST(NickCompletion, TabAgainCyclesRecentSpeakersFirstThenAlphabetically) {
    RecentSpeakers speakers;
    for (const char* nick : {"bob", "alice", "BART", "carl"}) {
        speakers.Spoke(nick);
    }
    EXPECT_EQ(speakers.Order(), (std::vector<std::string>{"carl", "BART", "alice", "bob"}));
    speakers.Spoke("Bob"); // speaking again moves a nick to the front, whatever its case
    EXPECT_EQ(speakers.Order(), (std::vector<std::string>{"Bob", "carl", "BART", "alice"}));

    NickCompleter completer;
    InputLineText line{"hi b", 4};
    std::vector<std::string> seen;
    for (int tab = 0; tab < 4; ++tab) {
        line = *completer.Complete(line, Channel(speakers.Order()));
        seen.push_back(line.text);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"hi bob ", "hi bart ", "hi Bobby ", "hi bob "}));

    // Once the line changes, Tab starts from the word before the caret again.
    line = *completer.Complete({"hi bob x ba", 11}, Channel());
    EXPECT_EQ(line.text, "hi bob x bart ");
}

} // namespace
} // namespace korbi::panes

#include "panes/input_history.h"

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

TEST(InputHistory, UpAndDownWalkTheLinesAndComeBackToTheHalfTypedOne) {
    InputHistory history;
    for (const char* line : {"one", "/two", "three", "three", ""}) {
        history.Add(line);
    }
    const InputHistory::Filter raw = IsRawLine;
    const struct {
        bool older;
        bool rawOnly;
        std::optional<std::string> shown;
    } steps[] = {
        {false, false, std::nullopt}, // nothing newer than the typing position
        {true, false, "three"},       // "half" is kept
        {true, false, "/two"},        {true, false, "one"},
        {true, false, std::nullopt}, // the oldest stays
        {false, false, "/two"},       {false, false, "three"},
        {false, false, "half"},       {true, true, "three"}, // the raw lines alone skip the command
        {true, true, "one"},          {false, true, "three"},
        {false, true, "half"},
    };
    int k = 0;
    for (const auto& step : steps) {
        const auto shown = step.older ? history.Older("half", step.rawOnly ? raw : nullptr)
                                      : history.Newer(step.rawOnly ? raw : nullptr);
        EXPECT_EQ(shown, step.shown) << "step " << k++;
    }
}

TEST(InputHistory, KeepsTheLastHundredLinesAndRestartsAfterEachLine) {
    InputHistory history;
    for (std::size_t k = 0; k < InputHistory::kMaxLines + 5; ++k) {
        history.Add("line" + std::to_string(k));
    }
    EXPECT_EQ(history.Older(""), "line104");
    history.Add("new");
    for (std::size_t k = 0; k < InputHistory::kMaxLines; ++k) {
        history.Older("");
    }
    EXPECT_EQ(history.Older(""), std::nullopt);
    EXPECT_EQ(history.Newer(), "line7"); // "line6" is the oldest kept
}

} // namespace
} // namespace korbi::panes

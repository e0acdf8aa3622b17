#include "panes/paste_lines.h"

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

using Ms = PastePacer::Ms;

TEST(PasteLines, APasteBreaksAtEveryKindOfLineEndAndDropsEmptyLines) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\n\rc", {"a", "b", "c"}},
        {"\n\na\n  \n\nb c\n", {"a", "b c"}},
        {"  indented\n\tx", {"  indented", "\tx"}},
        {"\r\n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PastedLines(c.text), c.lines) << c.text;
    }
    EXPECT_EQ(JoinedLines({"a", "b c", "d"}), "a b c d");
}

TEST(PasteLines, LinesGoOutOneIntervalApartAndALateTickSendsOneLine) {
    PastePacer pacer;
    EXPECT_EQ(pacer.Wait(Ms{0}), std::nullopt);
    pacer.Add({"a", "b", "c"}, Ms{1000});
    EXPECT_EQ(pacer.Next(Ms{1000}), "a");
    EXPECT_EQ(pacer.Next(Ms{1000}), std::nullopt);
    EXPECT_EQ(pacer.Wait(Ms{1200}), Ms{300});
    EXPECT_EQ(pacer.Next(Ms{1499}), std::nullopt);
    EXPECT_EQ(pacer.Next(Ms{1500}), "b");
    EXPECT_EQ(pacer.Next(Ms{3000}), "c");
    EXPECT_EQ(pacer.Wait(Ms{3000}), std::nullopt);

    // A paste right after the last line still waits its turn.
    pacer.Add({"d", "e"}, Ms{3100});
    EXPECT_EQ(pacer.Next(Ms{3100}), std::nullopt);
    EXPECT_EQ(pacer.Wait(Ms{3100}), Ms{400});
    EXPECT_EQ(pacer.Next(Ms{3500}), "d");
    pacer.Cancel();
    EXPECT_EQ(pacer.Next(Ms{9000}), std::nullopt);
    EXPECT_EQ(pacer.Waiting(), 0u);
}

} // namespace
} // namespace korbi::panes

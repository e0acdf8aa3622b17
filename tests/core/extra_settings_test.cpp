#include "core/extra_settings.h"
#include "core/prefs_file.h"

#include <gtest/gtest.h>

namespace korbi::core {
namespace {

const std::string kNewFile = DefaultPrefsFile("14:03:07 05-17-2024");

TEST(ExtraSettings, RideAfterThePositionalPartAndComeBackUnchanged) {
    Settings settings = ReadPrefsFile(kNewFile, Settings()).settings;
    EXPECT_TRUE(settings.Extras.Lines().empty());
    const std::string positional = RewrittenPrefsFile(settings);

    settings.Extras.AddLine("FromANewerVersion=kept as it stands");
    settings.Extras.SetFlag("NickCompletion", false);
    settings.Extras.SetNumber("ScrollbackLines", 250);
    settings.Extras.SetValue("Highlights", "one\r\ntwo");
    const std::string file = RewrittenPrefsFile(settings);

    // The positional part stays byte for byte; the section follows it.
    ASSERT_EQ(file.substr(0, positional.size()), positional);
    EXPECT_EQ(file.substr(positional.size()),
              "[Extras]\r\nFromANewerVersion=kept as it stands\r\nNickCompletion=0\r\n"
              "ScrollbackLines=250\r\nHighlights=one  two\r\n");

    const PrefsReadResult again = ReadPrefsFile(file, Settings());
    ASSERT_TRUE(again.Ok()) << again.Failure;
    EXPECT_EQ(again.settings.Extras, settings.Extras);
    EXPECT_EQ(RewrittenPrefsFile(again.settings), file);
}

TEST(ExtraSettings, ValuesOutsideTheirRangeGiveTheDefault) {
    ExtraSettings extras;
    for (const char* line :
         {"On=1", "Off=0", "Odd=yes", "Count=70", "Big=100001", "Neg=-1", "Junk=12x", "Empty="}) {
        extras.AddLine(line);
    }
    EXPECT_TRUE(extras.Flag("On", false));
    EXPECT_FALSE(extras.Flag("Off", true));
    EXPECT_TRUE(extras.Flag("Odd", true));
    EXPECT_TRUE(extras.Flag("Missing", true));
    EXPECT_EQ(extras.Number("Count", 5, 0, 100000), 70);
    for (const char* name : {"Big", "Neg", "Junk", "Empty", "Missing"}) {
        EXPECT_EQ(extras.Number(name, 5, 0, 100000), 5) << name;
    }
    // A name is matched whole: "On" is not "Odd"'s prefix, nor "O" a name of "On=1".
    EXPECT_EQ(extras.Value("O"), std::nullopt);
    EXPECT_EQ(extras.Value("Empty"), "");
    extras.Remove("On");
    EXPECT_EQ(extras.Value("On"), std::nullopt);
}

TEST(ExtraSettings, AnOverlongLineIsADamagedFile) {
    const std::string file = kNewFile + "[Extras]\r\nA=" + std::string(70 * 1024, 'x') + "\r\n";
    const PrefsReadResult read = ReadPrefsFile(file, Settings());
    EXPECT_EQ(read.ErrorNumber, kErrOutOfMemory);
}

} // namespace
} // namespace korbi::core

#include "commands/media_names.h"

#include <gtest/gtest.h>

#include <string>

namespace korbi::commands {
namespace {

TEST(IsBareFileName, RefusesNamesThatLeaveTheirFolder) {
    for (const std::string name : {"cat.bmp", "Mon chat \xc3\xa9t\xc3\xa9", "a:b"}) {
        EXPECT_TRUE(IsBareFileName(name)) << name;
    }
    for (const std::string name : {"", "..", "..\\Prefs File.INI", "../etc/passwd", "/etc/passwd",
                                   "sub\\cat", "a..b", "a\x01", "a\rb", "a\x7f"}) {
        EXPECT_FALSE(IsBareFileName(name)) << name;
    }
    EXPECT_FALSE(IsBareFileName(std::string("a\0b", 3)));
}

TEST(MediaNames, ExtensionsAreAddedByTheOldRules) {
    EXPECT_EQ(PictPathFor("cat.Bmp"), "PICTS\\cat.Bmp");
    EXPECT_EQ(PictPathFor("a.b.bmp"),
              "PICTS\\a.b.bmp.BMP");                 // the extension starts at the first "."
    EXPECT_EQ(WithWavExtension(".wav"), ".wav.WAV"); // shorter than 5 characters
    EXPECT_EQ(WithWavExtension("ding.txt"), "ding.txt.WAV");
    EXPECT_EQ(WithWavExtension("horns"), "horns.WAV");
}

} // namespace
} // namespace korbi::commands

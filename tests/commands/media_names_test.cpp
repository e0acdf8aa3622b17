#include "commands/media_names.h"

#include <gtest/gtest.h>

#include <string>

namespace korbi::commands {
namespace {

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

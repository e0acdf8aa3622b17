#include "panes/picture_names.h"

#include <gtest/gtest.h>

namespace korbi::panes {
namespace {

TEST(PictureNames, GetTheirExtensionAndTheBuiltInsAreFoundInAnyCase) {
    EXPECT_EQ(NormalisePictName(""), "");
    EXPECT_EQ(NormalisePictName("PICTS\\INFOMARK"), "PICTS\\INFOMARK.BMP");
    EXPECT_EQ(NormalisePictName("PICTS\\cat.bmp"), "PICTS\\cat.bmp");
    EXPECT_EQ(NormalisePictName("PICTS\\cat.gif"), "PICTS\\cat.gif.BMP");
    EXPECT_EQ(NormalisePictName(".BMP"), ".BMP.BMP");

    EXPECT_EQ(FindBuiltInPict("picts\\evjoin.bmp"), BuiltInPict::Join);
    EXPECT_EQ(FindBuiltInPict("PICTS\\EVQUIT.BMP"), BuiltInPict::Quit);
    EXPECT_EQ(FindBuiltInPict("PICTS\\evpicerr.bmp"), BuiltInPict::PicErr);
    EXPECT_EQ(FindBuiltInPict("PICTS\\EVJOIN2.BMP"), std::nullopt);
    EXPECT_EQ(FindBuiltInPict("EVJOIN.BMP"), std::nullopt);
    EXPECT_EQ(PictKey("picts/Ann"), PictKey("PICTS\\ANN.BMP"));
}

} // namespace
} // namespace korbi::panes

#include "media/artwork.h"

#include "support/hidpi.h"

#include <gtest/gtest.h>

#include <vector>

namespace korbi::media {
namespace {
using korbi::testing::MixedBlocks;
using korbi::testing::SoftPixels;

// At 2x a button keeps its size in device-independent pixels and is drawn anew: not the 1x
// picture with its pixels repeated, and with edges as hard as at 1x (a smooth upscale doubles
// the width of every soft edge).
TEST(HiDpiArtwork, ToolButtonsAreDrawnAtTheScreensPixelRatio) {
    for (int button = 0; button < kToolButtonCount; ++button) {
        for (const ButtonState state : {ButtonState::Flat, ButtonState::Lifted,
                                        ButtonState::Pressed, ButtonState::Disabled}) {
            const QImage one = ToolButtonPicture(button, state);
            const QImage two = ToolButtonPicture(button, state, 2);
            ASSERT_EQ(two.size(), one.size() * 2) << "button " << button;
            EXPECT_EQ(two.deviceIndependentSize(), QSizeF(ToolButtonSize(button)));
            EXPECT_GT(MixedBlocks(two), 0) << "button " << button;
        }
        const QImage one = ToolButtonPicture(button, ButtonState::Flat);
        const QImage two = ToolButtonPicture(button, ButtonState::Flat, 2);
        const QImage smooth =
            one.scaled(one.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(SoftPixels(two) * 4, SoftPixels(smooth) * 3) << "button " << button;
    }
}

TEST(HiDpiArtwork, IndicatorsAreDrawnAtTheScreensPixelRatio) {
    const SmiFrames frames = MakeSmiFrames(2);
    std::vector<QImage> pictures(frames.Rotater.begin(), frames.Rotater.end());
    pictures.push_back(frames.DisabFrame);
    for (const MailImage image : {MailImage::UnknownMailImage, MailImage::CheckMailImage,
                                  MailImage::GotMailImage, MailImage::NoMailImage}) {
        pictures.push_back(MailPicture(image, 2));
    }
    for (const PicServImage image : {PicServImage::FreePicServ, PicServImage::DownPicServ,
                                     PicServImage::UpPicServ, PicServImage::BothPicServ}) {
        pictures.push_back(PicServPicture(image, 2));
    }
    for (std::size_t n = 0; n < pictures.size(); ++n) {
        const QImage& two = pictures[n];
        EXPECT_EQ(two.deviceIndependentSize(), QSizeF(kIndicatorSize)) << "picture " << n;
        EXPECT_EQ(two.size(), kIndicatorSize * 2) << "picture " << n;
        EXPECT_GT(MixedBlocks(two), 0) << "picture " << n;
    }
}

} // namespace
} // namespace korbi::media

#include "ui/frame_layout.h"

#include <gtest/gtest.h>

namespace korbi::ui {
namespace {

TEST(FrameLayout, WindowsFillTheFrameBelowEachOther) {
    // A 12000 x 9000 frame with a 1800-high server window whose border takes 120 x 420.
    const FrameLayout layout = ComputeFrameLayout({12000, 9000, 1800, 120, 420});
    EXPECT_EQ(layout.serverWindow, (TwipsRect{0, 0, 11800, 1800}));
    EXPECT_EQ(layout.conversationWindow, (TwipsRect{0, 1800, 11800, 6440}));
    EXPECT_EQ(layout.MailNotify, (TwipsPoint{11680 - 850, 1380 - 350}));
    EXPECT_EQ(layout.PicServNotify, (TwipsPoint{11680 - 500, 1380 - 350}));
}

TEST(FrameLayout, TinyFrameSqueezesInsteadOfInverting) {
    const FrameLayout layout = ComputeFrameLayout({150, 2000, 1800, 0, 0});
    EXPECT_EQ(layout.serverWindow.width, 0);
    EXPECT_EQ(layout.conversationWindow.top, 1800);
    EXPECT_EQ(layout.conversationWindow.height, 0);
}

} // namespace
} // namespace korbi::ui

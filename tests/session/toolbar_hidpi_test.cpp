#include "session/toolbar.h"

#include "support/hidpi.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

// The buttons and indicators show pictures drawn for the screen they are on: at 2x (the test
// HiDpi.Toolbar runs this with QT_SCALE_FACTOR=2) what reaches the screen is not a 1x picture blown
// up.
TEST(ToolbarHiDpi, ButtonsShowPicturesDrawnForTheScreen) {
    const qreal dpr = qApp->devicePixelRatio();
    QWidget window;
    ServerToolbar toolbar(&window);
    auto* button = window.findChild<PictureBox*>("ToolButs0");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), media::kToolButtonSize);
    EXPECT_EQ(button->Picture().devicePixelRatio(), dpr);
    for (const char* indicator : {"ReadWriteShow", "MailNotify", "PicServNotify"}) {
        const auto* box = window.findChild<PictureBox*>(indicator);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Picture().devicePixelRatio(), dpr) << indicator;
    }
    const QImage shown = button->grab().toImage();
    EXPECT_EQ(shown.size(), (QSizeF(media::kToolButtonSize) * dpr).toSize());
    if (dpr >= 2) {
        EXPECT_GT(korbi::testing::MixedBlocks(shown), 0);
    }
}

} // namespace
} // namespace korbi::session

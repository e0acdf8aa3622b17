#include "session/toolbar.h"

#include "support/hidpi.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

// Run by HiDpi.ToolbarScreens on two offscreen screens, at 1x and 2x: a window moved between
// them shows every toolbar picture drawn for the screen it is on, in the state it was in.
TEST(ToolbarScreens, PicturesAreDrawnAgainForTheScreenTheWindowMovesTo) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio()) {
        GTEST_SKIP() << "needs two screens of different pixel ratios";
    }
    QWidget window;
    window.setScreen(screens[0]);
    window.show();
    ServerToolbar toolbar(&window);
    toolbar.ConnectedState();
    toolbar.RWRotate();
    toolbar.SetMailPicture(media::MailImage::GotMailImage);
    toolbar.SetSecure(true);

    for (QScreen* screen : {screens[1], screens[0]}) {
        window.windowHandle()->setScreen(screen);
        const qreal dpr = screen->devicePixelRatio();
        ASSERT_EQ(window.devicePixelRatioF(), dpr);
        for (const PictureBox* box : window.findChildren<PictureBox*>()) {
            EXPECT_EQ(box->Picture().devicePixelRatio(), dpr) << box->objectName().toStdString();
        }
        const auto picture = [&](const char* name) {
            return window.findChild<PictureBox*>(name)->Picture();
        };
        EXPECT_EQ(picture("ToolButs0"),
                  media::ToolButtonPicture(0, media::ButtonState::Disabled, dpr));
        EXPECT_EQ(picture("ReadWriteShow"), media::ReadWriteFrame(1, dpr));
        EXPECT_EQ(picture("MailNotify"), media::MailPicture(media::MailImage::GotMailImage, dpr));
    }
}

// At 2x (HiDpi.Toolbar runs this with QT_SCALE_FACTOR=2) a button keeps its size, and what
// reaches the screen is a picture drawn for it, not a 1x picture blown up.
TEST(ToolbarHiDpi, ButtonsShowPicturesDrawnForTheScreen) {
    const qreal dpr = qApp->devicePixelRatio();
    QWidget window;
    ServerToolbar toolbar(&window);
    auto* button = window.findChild<PictureBox*>("ToolButs0");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), media::kToolButtonSize);
    const QImage shown = button->grab().toImage();
    EXPECT_EQ(shown.size(), (QSizeF(media::kToolButtonSize) * dpr).toSize());
    if (dpr >= 2) {
        EXPECT_GT(korbi::testing::MixedBlocks(shown), 0);
    }
}

} // namespace
} // namespace korbi::session

#include "app/splash_screen.h"
#include "media/artwork.h"
#include "media/artwork_seed.h"
#include "panes/picture_cache.h"

#include "support/hidpi.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi {
namespace {
using namespace korbi::testing;

TEST(HiDpiPictures, EventPicturesAndIconsAreDrawnAtTheScreensPixelRatio) {
    for (const media::EventPictureInfo& info : media::EventPictures()) {
        ExpectDrawnAtTwice(media::EventPicture(info.pict), media::EventPicture(info.pict, 2),
                           std::string(info.name));
    }
    ExpectDrawnAtTwice(media::ApplicationIcon(64), media::ApplicationIcon(64, 2), "icon");
    ExpectDrawnAtTwice(media::FrameIconPicture(media::FrameIcon::NoticeIcon),
                       media::FrameIconPicture(media::FrameIcon::NoticeIcon, 2), "notice");
    const QIcon set = media::FrameIconSet(media::FrameIcon::NoNewIcon);
    QImage big = set.pixmap(QSize(64, 64), 1).toImage();
    big.setDevicePixelRatio(2);
    ExpectDrawnAtTwice(media::FrameIconPicture(media::FrameIcon::NoNewIcon), big, "frame icon");
}

// The panes draw the program's own pictures anew for the screen, even from the files it
// seeded; a user's bitmap can only be scaled, and is scaled smoothly.
TEST(HiDpiPictures, PaneCacheDrawsOwnPicturesAnewAndSmoothsUsersBitmaps) {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    ASSERT_TRUE(media::SeedArtwork(root).failed.empty());
    QImage checks(18, 18, QImage::Format_RGB32);
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 18; ++x) {
            checks.setPixel(x, y, (x / 3 + y / 3) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        }
    }
    ASSERT_TRUE(checks.save(QString::fromStdString((root / "PICTS" / "ME.BMP").string())));
    ASSERT_TRUE(checks.save(QString::fromStdString((root / "PICTS" / "WARNMARK.BMP").string())));
    const platform::ProgramFolder folder(root);
    panes::PictureCache cache(folder);

    EXPECT_EQ(cache.Picture("picts\\evkick", 2), media::EventPicture(media::EventPict::Kick, 2));
    EXPECT_EQ(cache.Picture("PICTS\\EVJOIN", 2), media::EventPicture(media::EventPict::Join, 2));
    for (const char* user : {"PICTS\\ME", "PICTS\\WARNMARK"}) {
        const QImage& mine = cache.Picture(user, 2);
        EXPECT_EQ(mine.size(), QSize(36, 36)) << user;
        EXPECT_EQ(mine.devicePixelRatio(), 2) << user;
        const QImage blocky = checks.scaled(36, 36);
        EXPECT_GT(PixelRuns(mine), PixelRuns(blocky)) << user << ": not scaled smoothly";
    }
    // The window moved to a 1x screen: nothing drawn for 2x is handed out any more.
    EXPECT_EQ(cache.Picture("PICTS\\EVKICK", 1), media::EventPicture(media::EventPict::Kick));
    EXPECT_EQ(cache.Picture("PICTS\\ME", 1).devicePixelRatio(), 1);
    EXPECT_EQ(cache.Picture("PICTS\\EVQUIT", 1).size(), media::kEventPictureSize);
}

// Under HiDpi.Pictures (QT_SCALE_FACTOR=2) the splash screen's icon is drawn for the screen.
TEST(HiDpiPictures, SplashIconIsDrawnForTheScreen) {
    const qreal dpr = qApp->devicePixelRatio();
    app::SplashScreen splash;
    const QLabel* icon = nullptr;
    for (const QLabel* label : splash.findChildren<QLabel*>()) {
        icon = label->pixmap().isNull() ? icon : label;
    }
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().devicePixelRatio(), dpr);
    if (dpr >= 2) {
        EXPECT_GT(MixedBlocks(icon->pixmap().toImage()), 0);
    }
}

} // namespace
} // namespace korbi

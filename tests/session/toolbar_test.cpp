#include "session/toolbar.h"
#include "support/hidpi.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using media::ButtonState;

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ? button
                                                                                : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QPoint Inside(const QWidget* widget) {
    return widget->rect().center();
}

class ToolbarTest : public ::testing::Test {
  protected:
    QWidget serverWindow;
    ServerToolbar* toolbar = nullptr;
    std::vector<int> actions;

    void SetUp() override {
        serverWindow.resize(800, 100);
        toolbar = new ServerToolbar(&serverWindow);
        QObject::connect(toolbar, &ServerToolbar::ButtonAction,
                         [this](int n) { actions.push_back(n); });
    }
    PictureBox* Control(const char* name) { return serverWindow.findChild<PictureBox*>(name); }
    PictureBox* ToolButs(int n) { return Control(qPrintable(QString("ToolButs%1").arg(n))); }
    void MoveOver(int n) { Mouse(ToolButs(n), QEvent::MouseMove, Inside(ToolButs(n))); }
    void MoveOverBackground() { Mouse(toolbar, QEvent::MouseMove, {2, 2}); }
    void Press(int n, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(ToolButs(n), QEvent::MouseButtonPress, Inside(ToolButs(n)), button);
    }
    void Release(int n, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(ToolButs(n), QEvent::MouseButtonRelease, at, button);
    }
    // The picture button n shows is the artwork's picture for that state.
    void ExpectShows(int n, ButtonState state) {
        EXPECT_EQ(toolbar->ShownPicture(n), state) << "button " << n;
        EXPECT_EQ(ToolButs(n)->Picture(), media::ToolButtonPicture(n, state)) << "button " << n;
    }
};

TEST_F(ToolbarTest, ConnectionMomentsSetTheFirstThreeButtons) {
    struct Moment {
        const char* name;
        void (*enter)(ServerToolbar&);
        bool enabled[3];
    };
    const Moment moments[] = {
        {"loaded", [](ServerToolbar& t) { t.LoadedState(); }, {true, false, true}},
        {"connect clicked", [](ServerToolbar& t) { t.ConnectingState(); }, {true, false, false}},
        {"connected", [](ServerToolbar& t) { t.ConnectedState(); }, {false, true, true}},
        {"disconnected", [](ServerToolbar& t) { t.DisconnectedState(); }, {true, false, true}},
        // The notify tick below leaves button 2 as this one set it.
        {"connect clicked again",
         [](ServerToolbar& t) { t.ConnectingState(); },
         {true, false, false}},
        {"notify tick, not connected",
         [](ServerToolbar& t) { t.NotConnectedState(); },
         {true, false, false}},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        moment.enter(*toolbar);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(toolbar->ToolButEnabled(n), moment.enabled[n]) << "button " << n;
            ExpectShows(n, moment.enabled[n] ? ButtonState::Flat : ButtonState::Disabled);
        }
        for (int n = 3; n < ServerToolbar::kButtons; ++n) {
            EXPECT_TRUE(toolbar->ToolButEnabled(n));
        }
    }
}

TEST_F(ToolbarTest, TheButtonUnderTheMouseIsRaisedAndRestsWhenTheMouseMovesOn) {
    MoveOver(4);
    ExpectShows(4, ButtonState::Lifted);

    MoveOverBackground();
    ExpectShows(4, ButtonState::Flat);

    MoveOver(4);
    // Back from the background it rises again.
    ExpectShows(4, ButtonState::Lifted);
    MoveOver(9);
    ExpectShows(4, ButtonState::Flat);
    ExpectShows(9, ButtonState::Lifted);

    // A raised button that gets disabled rests with its disabled picture.
    MoveOver(0);
    toolbar->ConnectedState();
    MoveOverBackground();
    ExpectShows(0, ButtonState::Disabled);

    // Leaving a button for somewhere outside the toolbar lowers it too.
    MoveOver(7);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(ToolButs(7), &leave);
    ExpectShows(7, ButtonState::Flat);
    EXPECT_TRUE(actions.empty());

    // Also a button raised by its release without the mouse having moved over it first.
    Press(5);
    Release(5, {-30, 60});
    ExpectShows(5, ButtonState::Lifted);
    QApplication::sendEvent(ToolButs(5), &leave);
    ExpectShows(5, ButtonState::Flat);
}

TEST_F(ToolbarTest, ReleaseAnywhereRunsTheActionOfThePressedEnabledButton) {
    struct Case {
        int n;
        Qt::MouseButton button;
        QPoint releaseAt; // in the button's own coordinates
        ButtonState after;
    };
    const Case cases[] = {
        {0, Qt::LeftButton, {10, 10}, ButtonState::Lifted},
        {5, Qt::LeftButton, {-200, 90}, ButtonState::Lifted},
        {9, Qt::RightButton, {300, -5}, ButtonState::Flat}, // a dialog button: flat at once
        {6, Qt::MiddleButton, {8, 8}, ButtonState::Flat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        actions.clear();
        MoveOver(c.n);
        Press(c.n, c.button);
        ExpectShows(c.n, ButtonState::Pressed);
        EXPECT_TRUE(actions.empty()) << "nothing happens before the release";
        Release(c.n, c.releaseAt, c.button);
        ExpectShows(c.n, c.after);
        EXPECT_EQ(actions, std::vector<int>{c.n});
    }

    // A disabled button takes no clicks.
    actions.clear();
    ASSERT_FALSE(toolbar->ToolButEnabled(1));
    Press(1);
    Release(1, Inside(ToolButs(1)));
    toolbar->ToolButs_MouseUp(1);
    ExpectShows(1, ButtonState::Disabled);
    EXPECT_TRUE(actions.empty());
}

TEST_F(ToolbarTest, ReadWriteIndicatorTurnsThroughTenFrames) {
    EXPECT_EQ(Control("ReadWriteShow")->Picture(), media::ReadWriteDisabledFrame());
    toolbar->RWReset();
    EXPECT_EQ(Control("ReadWriteShow")->Picture(), media::ReadWriteFrame(0));
    for (int call = 1; call <= 12; ++call) {
        toolbar->RWRotate();
        EXPECT_EQ(Control("ReadWriteShow")->Picture(), media::ReadWriteFrame(call % 10))
            << "call " << call;
    }
    toolbar->RWDisable();
    EXPECT_EQ(Control("ReadWriteShow")->Picture(), media::ReadWriteDisabledFrame());
}

TEST_F(ToolbarTest, IndicatorsShowTheirPicturesAndAskForTheirMenus) {
    EXPECT_EQ(Control("MailNotify")->Picture(),
              media::MailPicture(media::MailImage::UnknownMailImage));
    toolbar->SetMailPicture(media::MailImage::GotMailImage);
    toolbar->SetPicServPicture(media::PicServImage::BothPicServ);
    EXPECT_EQ(Control("MailNotify")->Picture(), media::MailPicture(media::MailImage::GotMailImage));
    EXPECT_EQ(Control("PicServNotify")->Picture(),
              media::PicServPicture(media::PicServImage::BothPicServ));

    int checks = 0;
    std::vector<QPoint> mailMenus;
    std::vector<QPoint> picServMenus;
    QObject::connect(toolbar, &ServerToolbar::MailCheckRequested, [&] { ++checks; });
    QObject::connect(toolbar, &ServerToolbar::MailMenuRequested,
                     [&](const QPoint& at) { mailMenus.push_back(at); });
    QObject::connect(toolbar, &ServerToolbar::PicServMenuRequested,
                     [&](const QPoint& at) { picServMenus.push_back(at); });

    PictureBox* mail = Control("MailNotify");
    Mouse(mail, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    Mouse(mail, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(mailMenus.empty()) << "the left button pops up nothing";
    Mouse(mail, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(checks, 1);
    Mouse(mail, QEvent::MouseButtonRelease, {4, 6}, Qt::RightButton);
    EXPECT_EQ(mailMenus, std::vector<QPoint>{mail->mapToGlobal(QPoint(4, 6))});

    Mouse(Control("PicServNotify"), QEvent::MouseButtonRelease, {3, 3}, Qt::RightButton);
    EXPECT_EQ(picServMenus.size(), 1u);
    EXPECT_TRUE(actions.empty());
}

TEST(ToolbarOnScreenTest, ControlsShowWhenAddedToAShownWindowAndTheBandStaysBehind) {
    QWidget serverWindow;
    serverWindow.resize(800, 100);
    auto* serverBox = new QWidget(&serverWindow);
    serverWindow.show();
    auto* toolbar = new ServerToolbar(&serverWindow);
    for (const QWidget* control :
         {static_cast<QWidget*>(toolbar), serverWindow.findChild<QWidget*>("ToolButs6"),
          serverWindow.findChild<QWidget*>("MailNotify")}) {
        EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
    }
    EXPECT_EQ(serverWindow.children().indexOf(toolbar), 0) << "lowest in the stacking order";
    EXPECT_GT(serverWindow.children().indexOf(serverBox), 0);
}

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

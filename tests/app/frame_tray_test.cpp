#include "app/frame_tray.h"
#include "app/main_frame.h"

#include "core/extra_settings.h"
#include "core/prefs_storage.h"
#include "panes/conversation_window.h"
#include "session/server_window.h"
#include "support/files.h"
#include "support/loopback_options.h"
#include "support/scripted_server.h"
#include "support/wait.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbi::app {
namespace {
namespace fs = std::filesystem;
using Icon = media::FrameIcon;
using korbi::testing::ReadBytes;
using korbi::testing::WaitUntil;

// What the frame told its tray icon; the fixture outlives the frame that owns the icon.
struct TrayRecord {
    std::vector<Icon> states;
    QMenu* menu = nullptr;
    std::function<void()> click;
};

class RecordingTrayIcon : public TrayIcon {
  public:
    explicit RecordingTrayIcon(TrayRecord& record) : m_record(record) {}
    void ShowState(Icon state) override { m_record.states.push_back(state); }
    void SetMenu(QMenu* menu) override { m_record.menu = menu; }
    void OnClick(std::function<void()> clicked) override { m_record.click = std::move(clicked); }

  private:
    TrayRecord& m_record;
};

class FrameTrayTest : public ::testing::Test {
  protected:
    std::unique_ptr<MainFrame> Start(bool withTray = true) {
        FrameHooks hooks;
        hooks.ShowStartupError = [](const QString& text) { FAIL() << text.toStdString(); };
        hooks.IsForeground = [this] { return inFront; };
        hooks.WelcomeNewUser = [] {};
        hooks.ServerOptions = korbi::testing::LoopbackOptions();
        hooks.MakeTrayIcon = [this, withTray]() -> std::unique_ptr<TrayIcon> {
            if (!withTray) {
                return nullptr;
            }
            return std::make_unique<RecordingTrayIcon>(tray);
        };
        return std::make_unique<MainFrame>(fs::path(dir.path().toStdString()), hooks);
    }

    std::string PrefsBytes() const {
        return ReadBytes(fs::path(dir.path().toStdString()) / core::kPrefsFileName);
    }

    QAction* TrayItem(const QString& text) const {
        for (QAction* action : tray.menu->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }

    QTemporaryDir dir;
    TrayRecord tray;
    bool inFront = false;
};

// The tray shows what the frame icon shows: in front, in the background, and the blink of text
// that arrived meanwhile, back to the plain icon when the user returns.
TEST_F(FrameTrayTest, TrayPictureFollowsTheFrameIcon) {
    auto frame = Start();
    ASSERT_EQ(tray.states, std::vector<Icon>{Icon::DefaultIcon});
    inFront = true;
    frame->Timer1_Timer();
    inFront = false;
    frame->Timer1_Timer();
    EXPECT_EQ(tray.states.back(), Icon::NoNewIcon);

    frame->conversationWindow().PrintCoul(0, "", {0, 0, 0}, "new text");
    ASSERT_TRUE(WaitUntil([&] { return tray.states.back() == Icon::NoticeIcon; }));
    ASSERT_TRUE(WaitUntil([&] { return tray.states.back() == Icon::NoNewIcon; }));
    inFront = true;
    frame->Timer1_Timer();
    EXPECT_EQ(tray.states.back(), Icon::DefaultIcon);
    EXPECT_EQ(frame->CurrentFrameIcon(), Icon::DefaultIcon);
    EXPECT_FALSE(frame->SparkTimerActive());
}

TEST_F(FrameTrayTest, AClickHidesAShownFrameAndBringsBackAHiddenOrMinimisedOne) {
    auto frame = Start();
    frame->show();
    tray.click();
    EXPECT_FALSE(frame->isVisible());
    tray.click();
    EXPECT_TRUE(frame->isVisible());
    frame->setWindowState(Qt::WindowMinimized);
    tray.click();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMinimized());
}

// The menu connects to the server in the server box and disconnects, each only when the
// toolbar's button would; the mail check and Quit are the menu bar's own items.
TEST_F(FrameTrayTest, MenuConnectsDisconnectsChecksMailAndQuits) {
    auto frame = Start();
    ASSERT_NE(tray.menu, nullptr);
    EXPECT_TRUE(tray.menu->actions().contains(frame->menus().Item(MenuItem::CheckMail)));
    EXPECT_TRUE(tray.menu->actions().contains(frame->menus().Item(MenuItem::Quit)));
    QAction* connectItem = TrayItem("Connect");
    QAction* disconnectItem = TrayItem("Disconnect");
    ASSERT_TRUE(connectItem != nullptr && disconnectItem != nullptr);
    emit tray.menu->aboutToShow();
    EXPECT_TRUE(connectItem->isEnabled());
    EXPECT_FALSE(disconnectItem->isEnabled());

    testing::ScriptedServer server;
    session::ServerWindow& window = frame->serverWindow();
    window.ServerName()->setEditText("127.0.0.1");
    window.ServerPort()->setText(QString::number(server.Port()));
    connectItem->trigger();
    ASSERT_TRUE(server.WaitForReceived("\nUSER "));
    ASSERT_TRUE(WaitUntil([&] {
        emit tray.menu->aboutToShow();
        return !connectItem->isEnabled() && disconnectItem->isEnabled();
    }));
    disconnectItem->trigger();
    EXPECT_TRUE(server.WaitForReceived(" QUIT :"));
    emit tray.menu->aboutToShow();
    EXPECT_TRUE(connectItem->isEnabled());
    EXPECT_FALSE(disconnectItem->isEnabled());
}

// With "close to tray" the close button only hides the frame: nothing is saved yet, and Quit
// still ends the program and saves. Without a tray the setting cannot hide the frame away.
TEST_F(FrameTrayTest, CloseToTrayHidesUntilQuitAndNeedsATray) {
    auto frame = Start();
    frame->show();
    frame->settings().Extras.SetFlag(core::kCloseToTray, true);
    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(PrefsBytes().find("CloseToTray"), std::string::npos);

    frame->menus().Item(MenuItem::Quit)->trigger();
    EXPECT_NE(PrefsBytes().find("CloseToTray=1"), std::string::npos);
    frame.reset();

    frame = Start(false);
    ASSERT_TRUE(frame->settings().Extras.Flag(core::kCloseToTray, false));
    frame->show();
    EXPECT_TRUE(frame->close());
}

} // namespace
} // namespace korbi::app

#include "app/frame_tray.h"
#include "app/main_frame.h"

#include "core/extra_settings.h"
#include "core/prefs_file.h"
#include "core/prefs_storage.h"
#include "panes/conversation_window.h"
#include "prefs/user_info_dialog.h"
#include "session/server_window.h"
#include "support/files.h"
#include "support/loopback_options.h"
#include "support/scripted_server.h"
#include "support/wait.h"
#include "support/widgets.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace korbi::app {
namespace {
namespace fs = std::filesystem;
using Icon = media::FrameIcon;
using namespace korbi::testing;

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

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

class MainFrameTest : public ::testing::Test {
  protected:
    fs::path Folder() const { return dir.path().toStdString(); }
    fs::path PrefsFile() const { return Folder() / core::kPrefsFileName; }

    std::unique_ptr<MainFrame> Start(bool recordWelcome = true, bool withTray = true) {
        errors.clear();
        steps.clear();
        FrameHooks hooks;
        hooks.ShowStartupError = [this](const QString& text) { errors << text; };
        hooks.SplashStep = [this](const QString& text) { steps << text; };
        hooks.IsForeground = [this] { return inFront; };
        hooks.ServerOptions = korbi::testing::LoopbackOptions();
        if (recordWelcome) {
            hooks.WelcomeNewUser = [this] { ++welcomes; };
        }
        hooks.RetryFailedSave = [this](const QString& text) {
            return retryFailedSave && retryFailedSave(text);
        };
        hooks.MakeTrayIcon = [this, withTray]() -> std::unique_ptr<TrayIcon> {
            return withTray ? std::make_unique<RecordingTrayIcon>(tray) : nullptr;
        };
        return std::make_unique<MainFrame>(Folder(), hooks);
    }

    QAction* TrayItem(const QString& text) const {
        for (QAction* action : tray.menu->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }

    // Starts, lets the test change things, then closes the frame as the user would.
    void StartAndClose(const std::function<void(MainFrame&)>& change) {
        auto frame = Start();
        ASSERT_FALSE(frame->StartupFailed());
        change(*frame);
        frame->close();
    }

    static QStringList ServerBox(MainFrame& frame) {
        return korbi::testing::Entries(*frame.serverWindow().ServerName());
    }

    QTemporaryDir dir;
    int welcomes = 0;
    QStringList errors;
    QStringList steps;
    bool inFront = false;
    std::function<bool(const QString& text)> retryFailedSave;
    TrayRecord tray;
};

TEST_F(MainFrameTest, FirstStartInAnEmptyFolderCreatesFoldersAndDefaults) {
    auto frame = Start();
    ASSERT_FALSE(frame->StartupFailed());
    std::vector<std::string> written = CrLfLines(ReadBytes(PrefsFile()));
    std::vector<std::string> expected = CrLfLines(core::DefaultPrefsFile("stamp"));
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written[1].starts_with(";Created "));
    written[1] = expected[1];
    EXPECT_EQ(written, expected);

    EXPECT_FALSE(frame->flags().IsActive);
    EXPECT_EQ(ServerBox(*frame).size(), 7);
    EXPECT_EQ(frame->serverWindow().ServerName()->currentIndex(), 0);
    EXPECT_EQ(frame->serverWindow().ServerPort()->text(), "6660");
    EXPECT_EQ(steps, QStringList({"Initialising Variables...", "Placing Main Windows...",
                                  "Ajusting Objects Position...", "Drawing 3D Effects...",
                                  "Loading Preferences...", "Creating new, empty Prefs File...",
                                  "Done Loading KorBi"}));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(korbi::testing::WaitUntil([this] { return welcomes == 1; }));
}

TEST_F(MainFrameTest, ANewUserIsAskedForANickOnlyAtTheFirstStart) {
    auto frame = Start(false);
    const auto* dialog = frame->findChild<prefs::UserInfoDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(korbi::testing::WaitUntil([&] { return dialog->isVisible(); }));
    EXPECT_FALSE(frame->serverWindow().isEnabled());
    frame.reset();

    frame = Start(false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame->findChild<prefs::UserInfoDialog*>()->isVisible());
}

TEST_F(MainFrameTest, PopupItemsShowTheFirstWordOfFilledSlots) {
    // Slot 1 is empty inside the count: only a hand-edited file has that.
    core::Settings settings;
    settings.PopupTable[0] = "Slap! /me slaps $$1";
    settings.PopupTable[1] = "EMPTIED";
    settings.PopupTable[2] = "Op /mode $chan +o $$1";
    settings.PopupTable[3] = "- ";
    std::string file = core::RewrittenPrefsFile(settings);
    file.replace(file.find("EMPTIED"), 7, "");
    WriteBytes(PrefsFile(), file);
    auto frame = Start();
    QStringList shown;
    for (const QAction* item : frame->menus().Pop) {
        shown << (!item->isVisible()    ? "(hidden) " + item->text()
                  : item->isSeparator() ? "---"
                                        : item->text());
    }
    EXPECT_EQ(shown.mid(0, 4), (QStringList{"Slap!", "(hidden) -", "Op", "---"}));
    for (const QString& item : shown.mid(4)) {
        EXPECT_TRUE(item.startsWith("(hidden)")) << item.toStdString();
    }
}

TEST_F(MainFrameTest, FaultyFileStopsStartUpAndIsLeftUntouched) {
    const std::vector<std::string> good = CrLfLines(core::DefaultPrefsFile("10:00:00 01-01-2024"));
    auto cut = std::vector<std::string>(good.begin(), good.begin() + 30);
    // A damaged file with a value no window could take.
    auto hugeTitle = good;
    hugeTitle[31] = std::string(16000000, 'T');
    const struct {
        const char* name;
        std::string bytes;
        int error;
        const char* cause;
    } cases[] = {
        {"cut after line 30", Joined(cut), core::kErrInputPastEndOfFile,
         "line 31: Input past end of file"},
        {"title of 16 MB", Joined(hugeTitle), core::kErrOutOfMemory,
         "line 32: a line of more than"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(PrefsFile(), c.bytes);
        {
            auto frame = Start();
            EXPECT_TRUE(frame->StartupFailed());
            frame->close();
        }
        ASSERT_EQ(errors.size(), 1);
        const QStringList box = errors[0].split('\n');
        ASSERT_EQ(box.size(), 2);
        EXPECT_EQ(box[0], QString("Unknown Error at startup (%1)").arg(c.error));
        EXPECT_TRUE(
            box[1].startsWith(QString::fromStdString(PrefsFile().string() + ", " + c.cause)))
            << box[1].toStdString();
        EXPECT_EQ(ReadBytes(PrefsFile()), c.bytes);
    }
}

// A save that fails at exit (a read-only folder, a full disk) is not passed over: the user is
// told which file and why, may try again, and a quit without saving ends with status 1.
TEST_F(MainFrameTest, AFailedSaveAtExitAsksAndQuitsWithoutSavingOnlyWhenTold) {
    const fs::path blocker = core::TemporaryPathFor(PrefsFile());
    for (const bool retry : {true, false}) {
        SCOPED_TRACE(retry ? "retry" : "quit without saving");
        fs::remove_all(Folder());
        fs::create_directories(Folder());
        auto frame = Start();
        ASSERT_FALSE(frame->StartupFailed());
        const std::string before = ReadBytes(PrefsFile());
        frame->settings().NickName = "Changed";
        // Not a file where the new contents go: the save fails, also for root.
        fs::create_directories(blocker / "inside");
        QStringList asked;
        retryFailedSave = [&](const QString& text) {
            asked << text;
            if (retry) {
                fs::remove_all(blocker);
            }
            return retry;
        };
        frame->close();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].contains(QString::fromStdString(PrefsFile().string())));
        EXPECT_TRUE(asked[0].contains("cannot create")) << asked[0].toStdString();
        EXPECT_EQ(frame->ExitStatus(), retry ? 0 : 1);
        EXPECT_EQ(ReadBytes(PrefsFile()).find("Changed") != std::string::npos, retry);
        if (!retry) {
            EXPECT_EQ(ReadBytes(PrefsFile()), before);
        }
        fs::remove_all(blocker);
    }
}

TEST_F(MainFrameTest, SettingsSurviveQuitAndRestart) {
    StartAndClose([](MainFrame& frame) {
        frame.settings().NickName = "Zed";
        frame.settings().TitleBarText = "Home";
        frame.serverWindow().ServerName()->setCurrentIndex(2);
        frame.serverWindow().ServerPort()->setText("7000");
    });
    const QStringList defaults = [&] {
        auto frame = Start();
        return ServerBox(*frame);
    }();
    auto frame = Start();
    EXPECT_FALSE(frame->flags().ShouldJoin);
    EXPECT_EQ(frame->settings().NickName, "Zed");
    EXPECT_EQ(frame->windowTitle(), "Home - KorBi iRC Client 1.0B4");
    EXPECT_EQ(frame->serverWindow().ServerPort()->text(), "7000");
    // The server chosen at exit comes first and is chosen again.
    EXPECT_EQ(frame->serverWindow().ServerName()->currentText(), defaults[0]);
    EXPECT_EQ(ServerBox(*frame).size(), 7);
}

TEST_F(MainFrameTest, LastServerChosenAddsOneEmptyEntryThenStaysTheSame) {
    StartAndClose([](MainFrame& frame) { frame.serverWindow().ServerName()->setCurrentIndex(6); });
    QStringList once;
    StartAndClose([&](MainFrame& frame) { once = ServerBox(frame); });
    const std::string file = ReadBytes(PrefsFile());
    QStringList twice;
    StartAndClose([&](MainFrame& frame) { twice = ServerBox(frame); });
    ASSERT_EQ(once.size(), 8);
    EXPECT_EQ(once.last(), "");
    EXPECT_EQ(twice, once);
    EXPECT_EQ(ReadBytes(PrefsFile()), file);
}

TEST_F(MainFrameTest, ResizeLaysTheWindowsOutAgainButNotWhileMinimised) {
    auto frame = Start();
    const QMargins border = frame->serverWindow().parentWidget()->contentsMargins();
    const int serverHeight = 100 + border.top() + border.bottom(); // 1500 twips inside
    EXPECT_EQ(frame->serverWindow().parentWidget()->height(), serverHeight);
    frame->show();
    frame->resize(900, 700);
    QMdiArea* area = qobject_cast<QMdiArea*>(frame->centralWidget());
    ASSERT_TRUE(WaitUntil([&] { return frame->width() == 900 && frame->height() == 700; }));
    const QRect server = frame->serverWindow().parentWidget()->geometry();
    const QRect conversation = frame->conversationWindow().parentWidget()->geometry();
    EXPECT_EQ(server.topLeft(), QPoint(0, 0));
    EXPECT_EQ(server.width(), area->width());
    EXPECT_EQ(server.height(), serverHeight);
    EXPECT_EQ(frame->serverWindow().height(), 100);
    EXPECT_EQ(conversation,
              QRect(0, server.height(), area->width(), area->height() - server.height()));

    // Minimised, the frame keeps its layout until restored.
    const QRect before = frame->conversationWindow().parentWidget()->geometry();
    frame->setWindowState(Qt::WindowMinimized);
    frame->resize(1300, 900);
    ASSERT_TRUE(WaitUntil([&] { return frame->width() == 1300; }));
    frame->MDIForm_Resize();
    EXPECT_EQ(frame->conversationWindow().parentWidget()->geometry(), before);

    frame->setWindowState(Qt::WindowNoState);
    EXPECT_GT(frame->conversationWindow().parentWidget()->width(), before.width());
}

TEST_F(MainFrameTest, EveryPrintedLineGoesToThePictureLog) {
    auto frame = Start();
    frame->conversationWindow().PrintCoul(0, "PICTS\\EVJOIN", {16, 160, 64}, "Ann entered");
    frame->conversationWindow().PrintCoul(0, "", {0, 0, 0}, "no picture");
    frame->close();
    EXPECT_EQ(ReadBytes(Folder() / "pictlog.log"), "PICTS\\EVJOIN.BMP\r\n\r\n");
}

// Ctrl+A is the alias editor's in the panes' input lines, as the other menu shortcuts are;
// over a nick list and in a dialog's field the standard editing keys stay the control's.
TEST_F(MainFrameTest, MenuShortcutsActInTheFramesInputLinesButNotOverListsOrDialogs) {
    auto frame = Start();
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    panes::ConversationWindow& conversation = frame->conversationWindow();
    const QWidget& aliasEditor = *frame->findChild<QWidget*>("AlPopForm");
    for (const char* nick : {"@ann", "bob", "cy"}) {
        conversation.AddNickListItem(0, nick);
    }
    QListWidget* nicks = conversation.findChild<QListWidget*>("Pane0NickList");
    nicks->setFocus();
    QTest::keyClick(nicks, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(nicks->selectedItems().size(), 3) << "Ctrl+A selects every name";
    EXPECT_FALSE(aliasEditor.isVisible());

    frame->menus().Item(MenuItem::Setup)->trigger();
    auto* setup = frame->findChild<prefs::UserInfoDialog*>("Form3");
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(setup));
    QLineEdit* nickField = setup->findChild<QLineEdit*>("NickText");
    nickField->setFocus();
    nickField->deselect();
    QTest::keyClick(nickField, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(nickField->selectedText(), nickField->text()) << "select all in the dialog";
    QTest::keyClick(nickField, Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(aliasEditor.isVisible());
    EXPECT_FALSE(frame->findChild<QWidget*>("PictManager")->isVisible())
        << "no frame shortcut over a dialog";
    setup->reject();

    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QLineEdit* input = conversation.InputBox(0);
    input->setText("hello");
    input->setFocus();
    QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(aliasEditor.isVisible());
    EXPECT_EQ(input->selectedText(), "");
}

// Leaving the program (the Quit item or the close control: both close the frame) tells a
// connected server why, before the connection goes, and waits for it a second at most.
TEST_F(MainFrameTest, ClosingWhileConnectedSendsTheQuitLineFirst) {
    auto frame = Start();
    const core::Settings& s = frame->settings();
    testing::ScriptedServer server;
    frame->serverWindow().ConnectToServer("127.0.0.1", std::to_string(server.Port()));
    ASSERT_TRUE(server.WaitForReceived("\nUSER "));
    ASSERT_TRUE(WaitUntil(
        [&] { return !frame->serverWindow().findChild<QWidget*>("ToolButs0")->isEnabled(); }));
    QElapsedTimer clock;
    clock.start();
    frame->close(); // this thread's server cannot answer meanwhile: the whole wait runs out
    EXPECT_LT(clock.elapsed(), 1500);
    ASSERT_TRUE(WaitUntil([&] { return server.ClientClosed(); }));
    EXPECT_EQ(server.Received(), "\nCAP LS 302\r\nNICK " + s.NickName + "\r\nUSER " + s.MyUserName +
                                     " " + s.HostName + " 127.0.0.1 :" + s.RealName +
                                     "\r\n:" + s.NickName + " QUIT :KorBis blues sur KorBi\r");
}

// The tray shows what the frame icon shows: in front, in the background, and the blink of text
// that arrived meanwhile, back to the plain icon when the user returns.
TEST_F(MainFrameTest, TrayPictureFollowsTheFrameIcon) {
    auto frame = Start();
    ASSERT_EQ(tray.states, std::vector<Icon>{Icon::DefaultIcon});
    inFront = true;
    frame->Timer1_Timer();
    EXPECT_TRUE(frame->flags().IsActive);
    EXPECT_EQ(tray.states.back(), Icon::DefaultIcon);
    inFront = false;
    frame->Timer1_Timer();
    EXPECT_FALSE(frame->flags().IsActive);
    EXPECT_EQ(tray.states.back(), Icon::NoNewIcon);
    EXPECT_FALSE(frame->SparkTimerActive());

    frame->conversationWindow().PrintCoul(0, "", {0, 0, 0}, "new text");
    EXPECT_TRUE(frame->SparkTimerActive());
    const std::size_t shown = tray.states.size();
    frame->Timer1_Timer(); // still in the background: the blink goes on undisturbed
    EXPECT_EQ(tray.states.size(), shown);
    frame->SparkTimer_Timer(); // the blink starts with the notice icon
    EXPECT_EQ(tray.states.back(), Icon::NoticeIcon);
    frame->SparkTimer_Timer();
    EXPECT_EQ(tray.states.back(), Icon::NoNewIcon);
    inFront = true;
    frame->Timer1_Timer();
    EXPECT_EQ(tray.states.back(), Icon::DefaultIcon);
    EXPECT_EQ(frame->CurrentFrameIcon(), Icon::DefaultIcon);
    EXPECT_FALSE(frame->SparkTimerActive());
}

TEST_F(MainFrameTest, AClickHidesAShownFrameAndBringsBackAHiddenOrMinimisedOne) {
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
TEST_F(MainFrameTest, MenuConnectsDisconnectsChecksMailAndQuits) {
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
TEST_F(MainFrameTest, CloseToTrayHidesUntilQuitAndNeedsATray) {
    auto frame = Start();
    frame->show();
    frame->settings().Extras.SetFlag(core::kCloseToTray, true);
    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(ReadBytes(PrefsFile()).find("CloseToTray"), std::string::npos);

    frame->menus().Item(MenuItem::Quit)->trigger();
    EXPECT_NE(ReadBytes(PrefsFile()).find("CloseToTray=1"), std::string::npos);
    frame.reset();

    frame = Start(true, false);
    ASSERT_TRUE(frame->settings().Extras.Flag(core::kCloseToTray, false));
    frame->show();
    EXPECT_TRUE(frame->close());
}

} // namespace
} // namespace korbi::app

#include "core/extra_settings.h"
#include "core/prefs_file.h"
#include "panes/nick_completion.h"
#include "prefs/people_dialog.h"
#include "prefs/prefs_dialog.h"
#include "prefs/server_list_dialog.h"
#include "prefs/user_info_dialog.h"
#include "support/fake_client.h"
#include "support/scripted_session.h"
#include "support/widgets.h"
#include "ui/error_window.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace korbi::prefs {
namespace {

using namespace korbi::testing;
using Lines = std::vector<std::string>;

void Click(const QWidget& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
}

QStringList TabCaptions(const QTabWidget& tabs) {
    QStringList captions;
    for (int i = 0; i < tabs.count(); ++i) {
        captions << tabs.tabText(i);
    }
    return captions;
}

class DialogsTest : public ::testing::Test {
  protected:
    testing::FakeClient host;
    core::Settings& settings = host.settingsValue;
    QComboBox ServerName;

    void SetUp() override {
        settings.NickName = "alice";
        settings.BackName = "alice_";
        settings.RealName = "Alice Liddell";
        settings.MyUserName = "al";
        settings.ClientW = true;
        settings.ClientI = true;
        settings.PhotoPict = "me.bmp";
        settings.YourDefaultPict = "smile";
        settings.OtherDefaultPict = "other";
        settings.LogChan = true;
        settings.Font2Use = 2;
        settings.NickStyle = 1;
        settings.TitleBarText = "at home";
        settings.ShowAddress = true;
        settings.Notifys = " bob carol dave";
        settings.Silences = " *!*@spam.example *!troll@*";
        settings.DisplayIgnores = true;
        ServerName.setEditable(true);
        ServerName.addItems({"irc.one.net", "irc.two.net", "irc.three.net"});
        ServerName.setCurrentIndex(1);
    }
    // Everything a dialog could store: the file's contents, the flag the file does not keep,
    // and the server box.
    std::string Stored() const {
        return core::RewrittenPrefsFile(settings) + (settings.DisplayIgnores ? "+" : "-") +
               Entries(ServerName).join(" ").toStdString() +
               std::to_string(ServerName.currentIndex());
    }
};

// ---- Personnal Info

TEST_F(DialogsTest, UserInfoWhileDisconnectedStoresTheNickAtOnceAndSendsNothing) {
    host.socketState = 0;
    UserInfoDialog dialog(host, host, host);
    EXPECT_EQ(dialog.windowTitle(), "Personnal Info");
    EXPECT_EQ(TabCaptions(*dialog.findChild<QTabWidget*>("Tabs")),
              (QStringList{"IRC Info", "Client Mode", "Login"}));
    EXPECT_EQ(Texts(dialog, {"NickText", "Text1", "RealText", "EMailText"}),
              (QStringList{"alice", "alice_", "Alice Liddell", "al"}));
    EXPECT_EQ(Ticks(dialog, 3), (std::vector<bool>{true, false, true}));

    Type(dialog, {{"NickText", "alicia"},
                  {"Text1", "alicia_"},
                  {"RealText", "A. L."},
                  {"EMailText", "alicia"}});
    Tick(dialog, {false, true, true});
    Click(dialog, "Command2");
    EXPECT_EQ(settings.NickName + "|" + settings.BackName + "|" + settings.RealName + "|" +
                  settings.MyUserName,
              "alicia|alicia_|A. L.|alicia");
    EXPECT_FALSE(settings.ClientW);
    EXPECT_TRUE(settings.ClientS);
    EXPECT_TRUE(settings.ClientI);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(DialogsTest, UserInfoWhileConnectedAsksForTheNickAndSetsTheModes) {
    struct Case {
        const char* name;
        std::string typedNick;
        std::string modes; // the boxes ticked: w, s, i
        Lines sent;
        Lines commands;
        std::string nickAfter;
    };
    const Case cases[] = {
        {"new nick",
         "alicia",
         "wi",
         {"NICK alicia"},
         {"/MODE alicia -wsi", "/MODE alicia +wi"},
         "alice"},
        {"same nick, no modes", "alice", "", {}, {"/MODE alice -wsi", "/MODE alice +"}, "alice"},
        {"all modes", "alice", "wsi", {}, {"/MODE alice -wsi", "/MODE alice +wsi"}, "alice"},
        {"letter case only", "ALICE", "s", {}, {"/MODE ALICE -wsi", "/MODE ALICE +s"}, "ALICE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.sent.clear();
        host.commands.clear();
        settings.NickName = "alice";
        UserInfoDialog dialog(host, host, host);
        dialog.findChild<QLineEdit*>("NickText")->setText(QString::fromStdString(c.typedNick));
        const auto has = [&](char mode) { return c.modes.find(mode) != std::string::npos; };
        Tick(dialog, {has('w'), has('s'), has('i')});
        Click(dialog, "Command2");
        EXPECT_EQ(host.sent, c.sent);
        EXPECT_EQ(host.commands, c.commands);
        EXPECT_EQ(settings.NickName, c.nickAfter) << "a new nick waits for the server";
    }
}

TEST_F(DialogsTest, UnchangedFieldsKeepBytesThatAreNotUtf8) {
    settings.NickName = "caf\xe9";
    settings.RealName = "Jos\xe9 \xff";
    UserInfoDialog dialog(host, host, host);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("NickText")->text(), QString::fromLatin1("caf\xe9"));
    Click(dialog, "Command2");
    EXPECT_EQ(settings.NickName, "caf\xe9");
    EXPECT_EQ(settings.RealName, "Jos\xe9 \xff");
    EXPECT_TRUE(host.sent.empty()) << "the nick did not change";
}

// A nick is one word of the protocol lines: the dialog stays open and says why, and the server
// is sent nothing, until both nicks can be used.
TEST(UserInfoDialogSession, RefusesAnEmptyOrBlankNickAndSendsNothingUntilItIsFixed) {
    testing::ScriptedSession session;
    session.settings.BackName = "Joe_";
    ASSERT_TRUE(session.Connect());
    UserInfoDialog dialog(session.window, session.window, session.window);
    const struct {
        const char* nick;
        const char* backup;
        const char* warning;
    } refused[] = {
        {"", "Joe_", "The nick cannot be empty or contain blanks."},
        {"Jo e", "Joe_", "The nick cannot be empty or contain blanks."},
        {" Joe", "Joe_", "The nick cannot be empty or contain blanks."},
        {"Joey", "", "The backup nick cannot be empty or contain blanks."},
        {"Joey", "Joe 2", "The backup nick cannot be empty or contain blanks."},
    };
    for (const auto& c : refused) {
        dialog.Open();
        dialog.findChild<QTabWidget*>("Tabs")->setCurrentIndex(1);
        Type(dialog, {{"NickText", c.nick}, {"Text1", c.backup}});
        Click(dialog, "Command2");
        EXPECT_TRUE(dialog.isVisible()) << c.nick << "|" << c.backup;
        EXPECT_FALSE(dialog.findChild<QLabel*>("Warning")->isHidden());
        EXPECT_EQ(dialog.findChild<QLabel*>("Warning")->text(), c.warning);
        EXPECT_EQ(dialog.findChild<QTabWidget*>("Tabs")->currentIndex(), 0) << "the field is shown";
    }
    EXPECT_EQ(session.settings.NickName, "Joe");
    EXPECT_EQ(session.settings.BackName, "Joe_");

    dialog.findChild<QLineEdit*>("Text1")->setText("Joey_");
    Click(dialog, "Command2");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(session.settings.BackName, "Joey_");
    ASSERT_TRUE(session.server.WaitForReceived("MODE Joey +\r"));
    EXPECT_EQ(session.SentAfterRegistration(), "\nNICK Joey\r\nMODE Joey -wsi\r\nMODE Joey +\r");

    dialog.Open();
    EXPECT_TRUE(dialog.findChild<QLabel*>("Warning")->isHidden())
        << "a new showing starts without the warning";
}

// ---- Preferences

TEST_F(DialogsTest, PrefsOkStoresEverythingAndRetitlesTheFrame) {
    const std::pair<QString, QString> cases[] = {{"", "KorBi iRC Client 1.0B4"},
                                                 {"at work", "at work - KorBi iRC Client 1.0B4"}};
    for (const auto& [extra, frameTitle] : cases) {
        PrefsDialog dialog(settings);
        QStringList titles;
        QObject::connect(&dialog, &PrefsDialog::TitleChanged,
                         [&](const QString& title) { titles << title; });
        Type(dialog, {{"Text1", "photo"}, {"Text2", ""}, {"Text3", "them.bmp"}, {"Text4", extra}});
        Tick(dialog, {true, false, true, false});
        dialog.findChild<QComboBox*>("Combo1")->setCurrentIndex(0);
        dialog.findChild<QComboBox*>("Combo2")->setCurrentIndex(2);
        Click(dialog, "Command2");

        EXPECT_EQ(titles, QStringList{frameTitle});
        EXPECT_EQ(settings.TitleBarText, extra.toStdString());
        EXPECT_EQ(settings.PhotoPict + "|" + settings.YourDefaultPict + "|" +
                      settings.OtherDefaultPict,
                  "photo||them.bmp");
        EXPECT_EQ((std::vector<bool>{settings.LogServer, settings.LogChan, settings.LogPrivChat,
                                     settings.ShowAddress}),
                  (std::vector<bool>{true, false, true, false}));
        EXPECT_EQ(std::pair(settings.Font2Use, settings.NickStyle), std::pair(0, 2));
    }
}

TEST_F(DialogsTest, PrefsShowsTheSettingsAndKeepsAStoredIndexThatHasNoEntry) {
    {
        PrefsDialog dialog(settings);
        EXPECT_EQ(Texts(dialog, {"Text1", "Text2", "Text3", "Text4"}),
                  (QStringList{"me.bmp", "smile", "other", "at home"}));
        EXPECT_EQ(Ticks(dialog, 4), (std::vector<bool>{false, true, false, true}));
        EXPECT_EQ(dialog.findChild<QComboBox*>("Combo1")->currentText(), "FixedSys");
        EXPECT_EQ(dialog.findChild<QComboBox*>("Combo2")->currentText(), "<nick>");
    }
    settings.Font2Use = 7;
    settings.NickStyle = -1;
    PrefsDialog dialog(settings);
    EXPECT_EQ(dialog.findChild<QComboBox*>("Combo1")->currentIndex(), -1);
    Click(dialog, "Command2");
    EXPECT_EQ(settings.Font2Use, 7);
    EXPECT_EQ(settings.NickStyle, -1);
}

// The options the preferences file did not have at first (the reading tab, nick completion,
// close to tray): OK without changes writes nothing, so a user who never touches them leaves
// no line for them; what the user changes is written, and only that; the dialog opened again
// shows it.
TEST(ExtraOptions, OkStoresWhatTheUserChangedAndShowsItAgain) {
    core::Settings settings;
    {
        PrefsDialog dialog(settings);
        EXPECT_EQ(dialog.findChild<QSpinBox*>("ScrollbackLines")->value(), 5000);
        EXPECT_EQ(dialog.findChild<QPushButton*>("HighlightColour")->text(), "#fffacd");
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("NickCompletion")->isChecked());
        EXPECT_FALSE(dialog.findChild<QCheckBox*>("CloseToTray")->isChecked());
        Click(dialog, "Command2");
        EXPECT_EQ(settings.Extras.Lines(), std::vector<std::string>{});
    }
    {
        PrefsDialog dialog(settings);
        dialog.findChild<QSpinBox*>("ScrollbackLines")->setValue(20000);
        dialog.findChild<QCheckBox*>("TimeStamps")->setChecked(true);
        dialog.findChild<QCheckBox*>("NickCompletion")->setChecked(false);
        dialog.findChild<QCheckBox*>("CloseToTray")->setChecked(true);
        dialog.findChild<QLineEdit*>("HighlightWords")->setText("deploy build");
        dialog.findChild<QLineEdit*>("PrivateSound")->setText("/home/joe/psst.wav");
        dialog.findChild<QPushButton*>("HighlightColour")->click();
        auto* chooser = dialog.findChild<QColorDialog*>("HighlightColourDialog");
        ASSERT_NE(chooser, nullptr);
        chooser->setCurrentColor(QColor(1, 2, 3));
        chooser->accept();
        Click(dialog, "Command2");
    }
    EXPECT_EQ(
        settings.Extras.Lines(),
        (std::vector<std::string>{"NickCompletion=0", "CloseToTray=1", "ScrollbackLines=20000",
                                  "TimeStamps=1", "HighlightWords=deploy build",
                                  "HighlightColour=1,2,3", "PrivateSound=/home/joe/psst.wav"}));
    PrefsDialog dialog(settings);
    EXPECT_EQ(dialog.findChild<QSpinBox*>("ScrollbackLines")->value(), 20000);
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("LogTimeStamps")->isChecked());
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("NickCompletion")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("CloseToTray")->isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("PrivateSound")->text(), "/home/joe/psst.wav");
    EXPECT_EQ(dialog.findChild<QPushButton*>("HighlightColour")->text(), "#010203");

    // Once written, a line follows the box both ways.
    dialog.findChild<QCheckBox*>("NickCompletion")->setChecked(true);
    Click(dialog, "Command2");
    EXPECT_EQ(settings.Extras.Value(panes::kNickCompletionSetting), "1");
    EXPECT_TRUE(settings.Extras.Flag(core::kCloseToTray, false));
}

// ---- People

TEST_F(DialogsTest, PeopleShowsTheListsAndStoresThemBlankLed) {
    PeopleDialog dialog(settings);
    auto* notify = dialog.findChild<QListWidget*>("NotifyList");
    auto* nickField = dialog.findChild<QLineEdit*>("text1");
    auto* maskField = dialog.findChild<QLineEdit*>("Text2");
    const auto addNick = [&](const char* nick) {
        nickField->setText(nick);
        Click(dialog, "AddNotify");
    };
    const auto enterMask = [&](const char* mask) {
        maskField->setText(mask);
        Key(maskField, Qt::Key_Return);
    };
    EXPECT_EQ(dialog.windowTitle(), "People");
    EXPECT_EQ(TabCaptions(*dialog.findChild<QTabWidget*>("Tabs")),
              (QStringList{"Friends", "Ignores"}));
    EXPECT_EQ(Entries(*notify), (QStringList{"bob", "carol", "dave"}));
    EXPECT_EQ(Entries(*dialog.findChild<QListWidget*>("List1")),
              (QStringList{"*!*@spam.example", "*!troll@*"}));
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("Check1")->isChecked());

    Select(notify, {0, 1});
    Click(dialog, "RemoveNotify");
    EXPECT_EQ(Entries(*notify), QStringList{"dave"}) << "both selected removed";

    addNick("erin");
    EXPECT_EQ(nickField->text(), "") << "Add empties the field for the next nick";
    addNick("");
    addNick("ERIN");
    EXPECT_EQ(Entries(*notify), (QStringList{"dave", "erin"})) << "no second erin";
    EXPECT_EQ(notify->selectedItems().size(), 1);
    EXPECT_TRUE(notify->item(1)->isSelected()) << "the entry it has is shown";
    EXPECT_EQ(nickField->text(), "");
    enterMask("*!*@*.bad");
    EXPECT_EQ(maskField->text(), "") << "Enter adds and empties";
    enterMask("");
    enterMask("*!TROLL@*");
    dialog.findChild<QCheckBox*>("Check1")->setChecked(false);

    Click(dialog, "Command1");
    EXPECT_EQ(settings.Notifys, " dave erin");
    EXPECT_EQ(settings.Silences, " *!*@spam.example *!troll@* *!*@*.bad");
    EXPECT_FALSE(settings.DisplayIgnores);
}

TEST_F(DialogsTest, PeopleClickCopiesAnEntryAndEmptyListsStoreEmptyStrings) {
    settings.Notifys = "";
    PeopleDialog dialog(settings);
    auto* ignores = dialog.findChild<QListWidget*>("List1");
    EXPECT_EQ(dialog.findChild<QListWidget*>("NotifyList")->count(), 0);
    emit ignores->itemClicked(ignores->item(1));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Text2")->text(), "*!troll@*");

    Select(ignores, {0, 1});
    Click(dialog, "Command3");
    Click(dialog, "Command1");
    EXPECT_EQ(settings.Notifys, "");
    EXPECT_EQ(settings.Silences, "");
}

// ---- Edit Server List

TEST_F(DialogsTest, ServerListEditsTheServerBoxOnOk) {
    ServerListDialog dialog(ServerName);
    int closes = 0;
    QObject::connect(&dialog, &QDialog::finished, [&] { ++closes; });
    dialog.Open();
    EXPECT_EQ(dialog.windowTitle(), "Edit Server List");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("Frame")->title(), "Server List");
    EXPECT_EQ(Entries(*dialog.findChild<QListWidget*>("List1")), Entries(ServerName));

    Select(dialog.findChild<QListWidget*>("List1"), {0, 2});
    Click(dialog, "Command2");
    dialog.findChild<QLineEdit*>("Text1")->setText("irc.four.net");
    Click(dialog, "Command1");
    dialog.findChild<QLineEdit*>("Text1")->clear();
    Click(dialog, "Command1");
    EXPECT_EQ(ServerName.count(), 3) << "nothing changes before OK";

    Click(dialog, "Command3");
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(Entries(ServerName), (QStringList{"irc.two.net", "irc.four.net"}));
    EXPECT_EQ(ServerName.currentIndex(), 0);
    EXPECT_EQ(ServerName.currentText(), "irc.two.net");

    // OK with an empty list leaves the box empty, what was typed in it too.
    ServerName.setEditText("typed.server.net");
    dialog.Open();
    Select(dialog.findChild<QListWidget*>("List1"), {0, 1});
    Click(dialog, "Command2");
    Click(dialog, "Command3");
    EXPECT_EQ(ServerName.count(), 0);
    EXPECT_EQ(ServerName.currentText(), "");
}

// ---- Cancel

struct ClosingCase {
    const char* dialog;
    const char* cancel;
    std::function<std::unique_ptr<ui::FormDialog>(testing::FakeClient&, QComboBox&)> make;
    // Changes a control, so that anything stored would show.
    std::function<void(ui::FormDialog&)> edit;
};

const ClosingCase kClosingCases[] = {
    {"Form3", "Command1",
     [](auto& host, auto&) { return std::make_unique<UserInfoDialog>(host, host, host); },
     [](ui::FormDialog& d) {
         d.findChild<QLineEdit*>("NickText")->setText("x");
         d.findChild<QCheckBox*>("Check2")->toggle();
     }},
    {"PrefsForm", "Command1",
     [](auto& host, auto&) { return std::make_unique<PrefsDialog>(host.settingsValue); },
     [](ui::FormDialog& d) {
         d.findChild<QLineEdit*>("Text4")->setText("x");
         d.findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
     }},
    {"Form5", "Command2",
     [](auto& host, auto&) { return std::make_unique<PeopleDialog>(host.settingsValue); },
     [](ui::FormDialog& d) {
         d.findChild<QLineEdit*>("Text2")->setText("x");
         Click(d, "Command4");
         d.findChild<QCheckBox*>("Check1")->toggle();
     }},
    {"EdServList", "Command4",
     [](auto&, auto& box) { return std::make_unique<ServerListDialog>(box); },
     [](ui::FormDialog& d) {
         Select(d.findChild<QListWidget*>("List1"), {0});
         Click(d, "Command2");
     }},
};

// The close control and Escape end in the same reject as the Cancel buttons (QDialog's own).
TEST_F(DialogsTest, CancelStoresNothingAndReportsTheClose) {
    for (const ClosingCase& c : kClosingCases) {
        SCOPED_TRACE(c.dialog);
        const std::string before = Stored();
        auto dialog = c.make(host, ServerName);
        int closes = 0;
        QObject::connect(dialog.get(), &QDialog::finished, [&] { ++closes; });
        dialog->Open();
        c.edit(*dialog);
        Click(*dialog, c.cancel);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(closes, 1) << "the windows the toolbar disabled are enabled again";
        EXPECT_EQ(Stored(), before);
        EXPECT_TRUE(host.sent.empty());
        EXPECT_TRUE(host.commands.empty());
    }
}

TEST_F(DialogsTest, OpeningAnOpenDialogKeepsItsControlsAndAClosedOneReloads) {
    PeopleDialog dialog(settings);
    dialog.Open();
    dialog.findChild<QLineEdit*>("text1")->setText("typed");
    Select(dialog.findChild<QListWidget*>("NotifyList"), {0});
    Click(dialog, "RemoveNotify");
    dialog.Open();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("text1")->text(), "typed");
    EXPECT_EQ(dialog.findChild<QListWidget*>("NotifyList")->count(), 2);

    Click(dialog, "Command2");
    settings.Notifys = " zoe";
    dialog.Open();
    EXPECT_EQ(Entries(*dialog.findChild<QListWidget*>("NotifyList")), QStringList{"zoe"});
}

// ---- Message window

TEST(ErrorWindowTest, ShowsTheCallersTextAndHidesOnOk) {
    ui::ErrorWindow window;
    EXPECT_EQ(window.windowTitle(), "Error");
    EXPECT_EQ(window.Text(), "An Unknown Error Occured !");
    window.ShowMessage("No more windows");
    EXPECT_TRUE(window.isVisible());
    Click(window, "Command1");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Text(), "No more windows") << "hidden, not unloaded";
}

} // namespace
} // namespace korbi::prefs

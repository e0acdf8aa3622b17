#include "prefs/about_box.h"
#include "prefs/error_window.h"
#include "prefs/people_dialog.h"
#include "prefs/prefs_dialog.h"
#include "prefs/prefs_file.h"
#include "prefs/server_list_dialog.h"
#include "prefs/user_info_dialog.h"
#include "support/fake_client_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace korbi::prefs {
namespace {

using Lines = std::vector<std::string>;

void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

QStringList TabCaptions(const QTabWidget& tabs) {
    QStringList captions;
    for (int i = 0; i < tabs.count(); ++i) {
        captions << tabs.tabText(i);
    }
    return captions;
}

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int row = 0; row < list.count(); ++row) {
        entries << list.item(row)->text();
    }
    return entries;
}

void Select(QListWidget* list, std::initializer_list<int> rows) {
    for (const int row : rows) {
        list->item(row)->setSelected(true);
    }
}

// Everything a dialog could store: the file's contents and the flag the file does not keep.
std::string Stored(const Settings& settings) {
    return RewrittenPrefsFile(settings) + (settings.DisplayIgnores ? "+ignores" : "-ignores");
}

class DialogsTest : public ::testing::Test {
  protected:
    testing::FakeClientHost host;
    Settings& settings = host.settingsValue;

    void SetUp() override {
        settings.NickName = "alice";
        settings.BackName = "alice_";
        settings.RealName = "Alice Liddell";
        settings.MyUserName = "al";
        settings.ClientW = true;
        settings.ClientS = false;
        settings.ClientI = true;
        settings.PhotoPict = "me.bmp";
        settings.YourDefaultPict = "smile";
        settings.OtherDefaultPict = "other";
        settings.LogServer = false;
        settings.LogChan = true;
        settings.LogPrivChat = false;
        settings.Font2Use = 2;
        settings.NickStyle = 1;
        settings.TitleBarText = "at home";
        settings.ShowAddress = true;
        settings.Notifys = " bob carol dave";
        settings.Silences = " *!*@spam.example *!troll@*";
        settings.DisplayIgnores = true;
    }
};

// ---- Personnal Info

TEST_F(DialogsTest, UserInfoShowsTheSettingsOnItsTwoTabs) {
    UserInfoDialog dialog(host);
    EXPECT_EQ(dialog.windowTitle(), "Personnal Info");
    EXPECT_EQ(TabCaptions(*dialog.Tabs()), (QStringList{"IRC Info", "Client Mode"}));
    EXPECT_EQ(dialog.NickText()->text(), "alice");
    EXPECT_EQ(dialog.Text1()->text(), "alice_");
    EXPECT_EQ(dialog.RealText()->text(), "Alice Liddell");
    EXPECT_EQ(dialog.EMailText()->text(), "al");
    EXPECT_TRUE(dialog.Check1()->isChecked());
    EXPECT_FALSE(dialog.Check2()->isChecked());
    EXPECT_TRUE(dialog.Check3()->isChecked());
    EXPECT_EQ(dialog.Check1()->text(), "Receive WallOps Messages");
    EXPECT_EQ(dialog.Check2()->text(), "Receive Server Messages");
    EXPECT_EQ(dialog.Check3()->text(), "Invisible on Server");
    EXPECT_EQ(dialog.Command2()->text(), "OK");
    EXPECT_EQ(dialog.Command1()->text(), "Cancel");
}

TEST_F(DialogsTest, UserInfoWhileDisconnectedStoresTheNickAtOnceAndSendsNothing) {
    host.socketState = 0;
    UserInfoDialog dialog(host);
    dialog.NickText()->setText("alicia");
    dialog.Text1()->setText("alicia_");
    dialog.RealText()->setText("A. L.");
    dialog.EMailText()->setText("alicia");
    dialog.Check1()->setChecked(false);
    dialog.Check2()->setChecked(true);
    dialog.Command2()->click();

    EXPECT_EQ(settings.NickName, "alicia");
    EXPECT_EQ(settings.BackName, "alicia_");
    EXPECT_EQ(settings.RealName, "A. L.");
    EXPECT_EQ(settings.MyUserName, "alicia");
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
        bool w, s, i;
        Lines sent;
        Lines commands;
        std::string nickAfter;
    };
    const Case cases[] = {
        {"new nick",
         "alicia",
         true,
         false,
         true,
         {"NICK alicia"},
         {"/MODE alicia -wsi", "/MODE alicia +wi"},
         "alice"},
        {"same nick, no modes",
         "alice",
         false,
         false,
         false,
         {},
         {"/MODE alice -wsi", "/MODE alice +"},
         "alice"},
        {"all modes",
         "alice",
         true,
         true,
         true,
         {},
         {"/MODE alice -wsi", "/MODE alice +wsi"},
         "alice"},
        {"letter case only",
         "ALICE",
         false,
         true,
         false,
         {},
         {"/MODE ALICE -wsi", "/MODE ALICE +s"},
         "ALICE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.sent.clear();
        host.commands.clear();
        settings.NickName = "alice";
        UserInfoDialog dialog(host);
        dialog.NickText()->setText(QString::fromStdString(c.typedNick));
        dialog.Check1()->setChecked(c.w);
        dialog.Check2()->setChecked(c.s);
        dialog.Check3()->setChecked(c.i);
        dialog.Command2()->click();
        EXPECT_EQ(host.sent, c.sent);
        EXPECT_EQ(host.commands, c.commands);
        EXPECT_EQ(settings.NickName, c.nickAfter) << "a new nick waits for the server";
    }
}

TEST_F(DialogsTest, UnchangedFieldsKeepBytesThatAreNotUtf8) {
    settings.NickName = "caf\xe9";
    settings.RealName = "Jos\xe9 \xff";
    UserInfoDialog dialog(host);
    EXPECT_EQ(dialog.NickText()->text(), QString::fromLatin1("caf\xe9"));
    dialog.Command2()->click();
    EXPECT_EQ(settings.NickName, "caf\xe9");
    EXPECT_EQ(settings.RealName, "Jos\xe9 \xff");
    EXPECT_TRUE(host.sent.empty()) << "the nick did not change";
}

// ---- Preferences

TEST_F(DialogsTest, PrefsShowsTheSettingsInItsFramesAndTabs) {
    PrefsDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    EXPECT_EQ(TabCaptions(*dialog.Tabs()), (QStringList{"Picture", "Logging", "Display"}));
    EXPECT_EQ(dialog.PictFrame()->title(), "PICTs Preferences");
    EXPECT_EQ(dialog.LogFrame()->title(), "Logs");
    EXPECT_EQ(dialog.Text1()->text(), "me.bmp");
    EXPECT_EQ(dialog.Text2()->text(), "smile");
    EXPECT_EQ(dialog.Text3()->text(), "other");
    EXPECT_FALSE(dialog.Check1()->isChecked());
    EXPECT_TRUE(dialog.Check2()->isChecked());
    EXPECT_FALSE(dialog.Check3()->isChecked());
    EXPECT_EQ(dialog.Combo1()->currentText(), "FixedSys");
    EXPECT_EQ(dialog.Combo2()->currentText(), "<nick>");
    EXPECT_EQ(dialog.Text4()->text(), "at home");
    EXPECT_TRUE(dialog.Check4()->isChecked());

    QStringList fonts;
    QStringList styles;
    for (int i = 0; i < 3; ++i) {
        fonts << dialog.Combo1()->itemText(i);
        styles << dialog.Combo2()->itemText(i);
    }
    EXPECT_EQ(fonts, (QStringList{"Arial", "Courrier", "FixedSys"}));
    EXPECT_EQ(styles, (QStringList{"nick ->", "<nick>", "nick:"}));
    const QStringList labels{
        "Photo Pict (use this picture as your $photo) :",
        "Default Pict (always use this pict if you don'T do any /pict :",
        "Other's default pict. Display this is pict if other users talk without any /pict  :",
        "Font to use:",
        "Nick Show:",
        "Extra Title Bar Text:"};
    QStringList shown;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        shown << label->text();
    }
    for (const QString& label : labels) {
        EXPECT_TRUE(shown.contains(label)) << label.toStdString();
    }
}

TEST_F(DialogsTest, PrefsOkStoresEverythingAndRetitlesTheFrame) {
    struct Case {
        QString title;
        QString frameTitle;
    };
    const Case cases[] = {{"", "KorBi iRC Client 1.0B4"},
                          {"at work", "at work - KorBi iRC Client 1.0B4"}};
    for (const Case& c : cases) {
        PrefsDialog dialog(settings);
        QStringList titles;
        QObject::connect(&dialog, &PrefsDialog::TitleChanged,
                         [&](const QString& title) { titles << title; });
        dialog.Text1()->setText("photo");
        dialog.Text2()->setText("");
        dialog.Text3()->setText("them.bmp");
        dialog.Check1()->setChecked(true);
        dialog.Check2()->setChecked(false);
        dialog.Check3()->setChecked(true);
        dialog.Combo1()->setCurrentIndex(0);
        dialog.Combo2()->setCurrentIndex(2);
        dialog.Text4()->setText(c.title);
        dialog.Check4()->setChecked(false);
        dialog.Command2()->click();

        EXPECT_EQ(titles, QStringList{c.frameTitle});
        EXPECT_EQ(settings.PhotoPict, "photo");
        EXPECT_EQ(settings.YourDefaultPict, "");
        EXPECT_EQ(settings.OtherDefaultPict, "them.bmp");
        EXPECT_TRUE(settings.LogServer);
        EXPECT_FALSE(settings.LogChan);
        EXPECT_TRUE(settings.LogPrivChat);
        EXPECT_EQ(settings.Font2Use, 0);
        EXPECT_EQ(settings.NickStyle, 2);
        EXPECT_EQ(settings.TitleBarText, c.title.toStdString());
        EXPECT_FALSE(settings.ShowAddress);
    }
}

TEST_F(DialogsTest, PrefsKeepsAStoredIndexThatHasNoEntry) {
    settings.Font2Use = 7;
    settings.NickStyle = -1;
    PrefsDialog dialog(settings);
    EXPECT_EQ(dialog.Combo1()->currentIndex(), -1);
    dialog.Command2()->click();
    EXPECT_EQ(settings.Font2Use, 7);
    EXPECT_EQ(settings.NickStyle, -1);
}

// ---- People

TEST_F(DialogsTest, PeopleShowsTheListsAndStoresThemBlankLed) {
    PeopleDialog dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), "People");
    EXPECT_EQ(TabCaptions(*dialog.Tabs()), (QStringList{"Friends", "Ignores"}));
    EXPECT_EQ(Entries(*dialog.NotifyList()), (QStringList{"bob", "carol", "dave"}));
    EXPECT_EQ(Entries(*dialog.List1()), (QStringList{"*!*@spam.example", "*!troll@*"}));
    EXPECT_TRUE(dialog.Check1()->isChecked());
    EXPECT_EQ(dialog.Check1()->text(), "Notice when ignored user tries to contact you.");

    Select(dialog.NotifyList(), {0, 1});
    dialog.RemoveNotify()->click();
    EXPECT_EQ(Entries(*dialog.NotifyList()), QStringList{"dave"}) << "both selected removed";

    dialog.text1()->setText("erin");
    dialog.AddNotify()->click();
    EXPECT_EQ(dialog.text1()->text(), "erin") << "Add keeps the text";
    dialog.text1()->clear();
    dialog.AddNotify()->click();
    dialog.Text2()->setText("*!*@*.bad");
    Key(dialog.Text2(), Qt::Key_Return);
    EXPECT_EQ(dialog.Text2()->text(), "") << "Enter adds and empties";
    Key(dialog.Text2(), Qt::Key_Return);
    dialog.Check1()->setChecked(false);
    EXPECT_EQ(settings.Notifys, " bob carol dave") << "nothing stored before OK";

    dialog.Command1()->click();
    EXPECT_EQ(settings.Notifys, " dave erin");
    EXPECT_EQ(settings.Silences, " *!*@spam.example *!troll@* *!*@*.bad");
    EXPECT_FALSE(settings.DisplayIgnores);
}

TEST_F(DialogsTest, PeopleClickCopiesAnEntryAndEmptyListsStoreEmptyStrings) {
    settings.Notifys = "";
    PeopleDialog dialog(settings);
    EXPECT_EQ(dialog.NotifyList()->count(), 0);

    dialog.List1()->setCurrentRow(1);
    emit dialog.List1()->itemClicked(dialog.List1()->item(1));
    EXPECT_EQ(dialog.Text2()->text(), "*!troll@*");

    Select(dialog.List1(), {0, 1});
    dialog.Command3()->click();
    dialog.Command1()->click();
    EXPECT_EQ(settings.Notifys, "");
    EXPECT_EQ(settings.Silences, "");
}

// ---- Edit Server List

class ServerListTest : public ::testing::Test {
  protected:
    QComboBox ServerName;

    void SetUp() override {
        ServerName.setEditable(true);
        ServerName.addItems({"irc.one.net", "irc.two.net", "irc.three.net"});
        ServerName.setCurrentIndex(1);
    }
    QStringList BoxEntries() const {
        QStringList entries;
        for (int i = 0; i < ServerName.count(); ++i) {
            entries << ServerName.itemText(i);
        }
        return entries;
    }
};

TEST_F(ServerListTest, EditsTheServerBoxOnOk) {
    ServerListDialog dialog(ServerName);
    EXPECT_EQ(dialog.windowTitle(), "Edit Server List");
    EXPECT_EQ(dialog.Frame()->title(), "Server List");
    EXPECT_EQ(Entries(*dialog.List1()), BoxEntries());

    Select(dialog.List1(), {0, 2});
    dialog.Command2()->click();
    dialog.Text1()->setText("irc.four.net");
    dialog.Command1()->click();
    dialog.Text1()->clear();
    dialog.Command1()->click();
    EXPECT_EQ(BoxEntries().size(), 3) << "nothing changes before OK";

    dialog.Command3()->click();
    EXPECT_EQ(BoxEntries(), (QStringList{"irc.two.net", "irc.four.net"}));
    EXPECT_EQ(ServerName.currentIndex(), 0);
    EXPECT_EQ(ServerName.currentText(), "irc.two.net");
}

TEST_F(ServerListTest, OkWithAnEmptyListLeavesTheBoxEmpty) {
    ServerName.setEditText("typed.server.net");
    ServerListDialog dialog(ServerName);
    Select(dialog.List1(), {0, 1, 2});
    dialog.Command2()->click();
    dialog.Command3()->click();
    EXPECT_EQ(ServerName.count(), 0);
    EXPECT_EQ(ServerName.currentText(), "");
}

// ---- Every way of closing

struct ClosingCase {
    const char* dialog;
    std::function<std::unique_ptr<FormDialog>(testing::FakeClientHost&)> make;
    // Changes every control, so that anything stored would show.
    std::function<void(FormDialog&)> edit;
};

const ClosingCase kClosingCases[] = {
    {"Form3", [](auto& host) { return std::make_unique<UserInfoDialog>(host); },
     [](FormDialog& d) {
         auto& dialog = static_cast<UserInfoDialog&>(d);
         dialog.NickText()->setText("x");
         dialog.Text1()->setText("x");
         dialog.RealText()->setText("x");
         dialog.EMailText()->setText("x");
         dialog.Check1()->toggle();
         dialog.Check2()->toggle();
         dialog.Check3()->toggle();
     }},
    {"PrefsForm", [](auto& host) { return std::make_unique<PrefsDialog>(host.settingsValue); },
     [](FormDialog& d) {
         auto& dialog = static_cast<PrefsDialog&>(d);
         for (QLineEdit* box : {dialog.Text1(), dialog.Text2(), dialog.Text3(), dialog.Text4()}) {
             box->setText("x");
         }
         for (QCheckBox* box :
              {dialog.Check1(), dialog.Check2(), dialog.Check3(), dialog.Check4()}) {
             box->toggle();
         }
         dialog.Combo1()->setCurrentIndex(1);
         dialog.Combo2()->setCurrentIndex(0);
     }},
    {"Form5", [](auto& host) { return std::make_unique<PeopleDialog>(host.settingsValue); },
     [](FormDialog& d) {
         auto& dialog = static_cast<PeopleDialog&>(d);
         Select(dialog.NotifyList(), {0});
         dialog.RemoveNotify()->click();
         dialog.Text2()->setText("x");
         dialog.Command4()->click();
         dialog.Check1()->toggle();
     }},
};

enum class Way { CancelButton, CloseControl, Escape };

TEST_F(DialogsTest, EveryWayOfClosingStoresNothingAndReportsTheClose) {
    for (const ClosingCase& c : kClosingCases) {
        for (const Way way : {Way::CancelButton, Way::CloseControl, Way::Escape}) {
            SCOPED_TRACE(std::string(c.dialog) + " way " + std::to_string(static_cast<int>(way)));
            const std::string before = Stored(settings);
            auto dialog = c.make(host);
            int closes = 0;
            QObject::connect(dialog.get(), &QDialog::finished, [&] { ++closes; });
            dialog->Open();
            ASSERT_TRUE(dialog->isVisible());
            c.edit(*dialog);
            switch (way) {
            case Way::CancelButton:
                dialog
                    ->findChild<QPushButton*>(c.dialog == std::string("Form5") ? "Command2"
                                                                               : "Command1")
                    ->click();
                break;
            case Way::CloseControl:
                dialog->close();
                break;
            case Way::Escape:
                Key(dialog.get(), Qt::Key_Escape);
                break;
            }
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(closes, 1) << "the windows the toolbar disabled are enabled again";
            EXPECT_EQ(Stored(settings), before);
            EXPECT_TRUE(host.sent.empty());
            EXPECT_TRUE(host.commands.empty());
        }
    }
}

TEST_F(DialogsTest, OkAlsoReportsTheClose) {
    for (const ClosingCase& c : kClosingCases) {
        SCOPED_TRACE(c.dialog);
        auto dialog = c.make(host);
        int closes = 0;
        QObject::connect(dialog.get(), &QDialog::finished, [&] { ++closes; });
        dialog->Open();
        const char* ok = c.dialog == std::string("Form5") ? "Command1" : "Command2";
        dialog->findChild<QPushButton*>(ok)->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(closes, 1);
    }
}

TEST_F(DialogsTest, OpeningAnOpenDialogKeepsItsControlsAndAClosedOneReloads) {
    PeopleDialog dialog(settings);
    dialog.Open();
    dialog.text1()->setText("typed");
    Select(dialog.NotifyList(), {0});
    dialog.RemoveNotify()->click();
    dialog.Open();
    EXPECT_EQ(dialog.text1()->text(), "typed");
    EXPECT_EQ(dialog.NotifyList()->count(), 2);

    dialog.Command2()->click();
    settings.Notifys = " zoe";
    dialog.Open();
    EXPECT_EQ(Entries(*dialog.NotifyList()), QStringList{"zoe"});
}

TEST_F(ServerListTest, CancelLeavesTheBoxAsItWas) {
    ServerListDialog dialog(ServerName);
    int closes = 0;
    QObject::connect(&dialog, &QDialog::finished, [&] { ++closes; });
    dialog.Open();
    Select(dialog.List1(), {0});
    dialog.Command2()->click();
    dialog.Command4()->click();
    dialog.Open();
    dialog.close();
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(BoxEntries(), (QStringList{"irc.one.net", "irc.two.net", "irc.three.net"}));
    EXPECT_EQ(ServerName.currentIndex(), 1);
}

// ---- About box and message window

TEST(AboutBoxTest, ShowsTheVersionAndClosesOnOk) {
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), "About KorBi");
    EXPECT_EQ(box.VersionLabel()->text(), "Version 1.0 Beta 4 (Build B4R0) ");
    EXPECT_FALSE(box.Picture()->pixmap().isNull());
    int closes = 0;
    QObject::connect(&box, &QDialog::finished, [&] { ++closes; });
    box.Open();
    box.Command1()->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(closes, 1);
}

TEST(ErrorWindowTest, ShowsTheCallersTextAndHidesOnOk) {
    ErrorWindow window;
    EXPECT_EQ(window.windowTitle(), "Error");
    EXPECT_EQ(window.Text(), "An Unknown Error Occured !");
    window.ShowMessage("No more windows");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Label1()->text(), "No more windows");
    window.Command1()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Text(), "No more windows") << "hidden, not unloaded";
}

} // namespace
} // namespace korbi::prefs

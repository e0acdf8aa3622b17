// Files dropped on a pane's text view and double clicks in its nick list, on a real IRC
// server: the other user receives the played lines and the sound request, and a double click
// opens a private pane or joins a listed channel.
#include "session/ngircd_session_fixture.h"

#include "media/wave_synth.h"
#include "panes/text_view.h"
#include "platform/sound_player.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

#include <fstream>

namespace korbi::session {
namespace {

using korbi::testing::IrcPeer;
using korbi::testing::WaitUntil;

class PaneMouseNgircdTest : public NgircdSessionTest {
  protected:
    // A file of the test's own, outside the program folder, as a user would drop it.
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = dropDir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Drags files over a pane's text view and drops them there.
    void Drop(int slot, const std::vector<std::string>& paths) {
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        }
        QMimeData mime;
        mime.setUrls(urls);
        QWidget* view = PaneControl<panes::TextView>(*conversation, slot, "TextViewWin");
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(view, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &drop);
        EXPECT_TRUE(drop.isAccepted());
    }

    // Double-clicks the entry of a pane's nick list that reads entry.
    void DoubleClick(int slot, const std::string& entry) {
        if (!conversation->isVisible()) {
            conversation->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(conversation.get()));
        }
        QListWidget* list = PaneControl<QListWidget>(*conversation, slot, "NickList");
        const auto found = list->findItems(QString::fromStdString(entry), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << entry;
        list->scrollToItem(found.front());
        const QRect place = list->visualItemRect(found.front());
        ASSERT_FALSE(place.isEmpty());
        // The press and release of the first click, then the second click's double click and
        // its release (QTest's double click leaves the button held for the tests after it).
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    }

    QTemporaryDir dropDir;
};

TEST_F(PaneMouseNgircdTest, ATextFileDroppedOnAPanePlaysIntoItsChannel) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int room = JoinBefore(bob, "#room");
    const std::string prefix = ClientPrefix(bob);
    const std::string story = WriteFile("Short Story.txt", "once upon a time\r\nthe end\n");

    Drop(room, {story});
    EXPECT_EQ(WaitForPaneLine(room, "Starting play of " + story),
              Line(64, 64, 160, "PICTS\\INFOMARK.BMP", "Starting play of " + story));
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"), prefix + " PRIVMSG #room :once upon a time\r\n");
    EXPECT_EQ(WaitForPaneLine(room, "korbi -> once upon a time"),
              Line(32, 32, 48, "", "korbi -> once upon a time"));
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"), prefix + " PRIVMSG #room :the end\r\n");
    EXPECT_EQ(WaitForPaneLine(room, "End of Play"),
              Line(64, 64, 160, "PICTS\\INFOMARK.BMP", "End of Play"));
}

TEST_F(PaneMouseNgircdTest, AWaveFileDroppedOnAPaneIsOfferedAndPlayed) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    ConnectClient();
    const int room = JoinBefore(bob, "#room");
    const std::string prefix = ClientPrefix(bob);
    const std::string ding = WriteFile("Ding.WAV", media::ToneWave(880, 50));
    const std::string story = WriteFile("story.txt", "never played\n");

    // Only the first of several files counts.
    Drop(room, {ding, story});
    EXPECT_EQ(WaitForPaneLine(room, "korbi"), Line(96, 64, 192, "PICTS\\EVSOUND.BMP", "korbi"));
    // The whole path goes out, less its extension.
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG #room :"),
              prefix + " PRIVMSG #room :\x01SOUND " + ding.substr(0, ding.size() - 4) + "\x01\r\n");
    const auto* player = window->findChild<platform::SoundPlayer*>();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->FileName(), ding);
    EXPECT_FALSE(conversation->PaneText(room).contains("Starting play of"));
}

TEST_F(PaneMouseNgircdTest, DoubleClickingAChannelMemberOpensAPrivatePane) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    bob.Send("JOIN #room");
    ASSERT_FALSE(bob.WaitForLine(" 366 bob #room ").empty());
    ConnectClient();
    const int room = JoinChannel("#room", 2);

    DoubleClick(room, "@bob");
    const int privateSlot = WaitForPane("bob");
    ASSERT_EQ(privateSlot, 2);
    EXPECT_EQ(conversation->CurVisible(), privateSlot);
    EXPECT_EQ(conversation->TopicBar(privateSlot), "bob");
    EXPECT_TRUE(conversation->NickListItems(privateSlot).empty());

    // What is typed in the new pane goes to bob alone.
    const std::string prefix = ClientPrefix(bob);
    Type(privateSlot, "just between us");
    EXPECT_EQ(bob.WaitForLine(" PRIVMSG "), prefix + " PRIVMSG bob :just between us\r\n");

    // A second double click only shows the pane again.
    conversation->MakeVisible(room);
    DoubleClick(room, "@bob");
    EXPECT_EQ(conversation->CurVisible(), privateSlot);
    EXPECT_EQ(conversation->NextChan(), 3);
}

TEST_F(PaneMouseNgircdTest, DoubleClickingAListedChannelInTheServerPaneJoinsIt) {
    IrcPeer bob("bob");
    RegisterPeer(bob);
    bob.Send("JOIN #lobby");
    ASSERT_FALSE(bob.WaitForLine(" 366 bob #lobby ").empty());
    ConnectClient();

    Type(0, "/list");
    ASSERT_TRUE(WaitForPaneLine(0, "Channel Listing is over."));
    ASSERT_TRUE(ListHolds(0, "#lobby  (1)"))
        << ::testing::PrintToString(conversation->NickListItems(0));

    DoubleClick(0, "#lobby  (1)");
    const int lobby = WaitForPane("#lobby");
    ASSERT_EQ(lobby, 1);
    EXPECT_FALSE(bob.WaitForLine(" JOIN :#lobby").empty());
    EXPECT_TRUE(WaitForPaneLine(lobby, "korbi entered the channel."));
}

} // namespace
} // namespace korbi::session

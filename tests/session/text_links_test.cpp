// A channel named in a pane's text, clicked: joined like one picked from the channel list, or
// shown when its pane is open already.
#include "session/server_window.h"

#include "panes/text_metrics.h"
#include "panes/text_view.h"
#include "support/pane_control.h"
#include "support/scripted_session.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using korbi::testing::WaitUntil;

class TextLinksTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    TextLinksTest() {
        conversation.resize(900, 600);
        conversation.LayoutSlots();
    }
    // Clicks the first row of a slot's text where the text before is drawn up to.
    void ClickAfter(int slot, const std::string& before) {
        auto& view =
            *korbi::testing::PaneControl<panes::TextView>(conversation, slot, "TextViewWin");
        panes::TextMetrics metrics;
        const double x = metrics.RunWidth(QString::fromStdString(before), {}) + 1;
        const QPointF at = QPointF(x, 10) + view.contentsRect().topLeft();
        for (const auto& [type, buttons] :
             {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
              std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons(Qt::NoButton)}}) {
            QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(&view, &event);
        }
    }
};

TEST_F(TextLinksTest, AClickedChannelIsJoinedOrItsPaneShown) {
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(LogOn());
    conversation.ClearTextWin(0);
    conversation.PrintCoul(0, "", {0, 0, 0}, "come to #korbi");
    ClickAfter(0, "come to #k");
    EXPECT_TRUE(server.WaitForReceived("\nJOIN #korbi\r"));

    server.Send(":Joe!u@h JOIN :#korbi\r\n");
    ASSERT_TRUE(WaitUntil([this] { return conversation.FindChanWin("#korbi") > 0; }));
    conversation.MakeVisible(0);
    const std::string before = server.Received();
    ClickAfter(0, "come to #k");
    EXPECT_EQ(conversation.CurVisible(), conversation.FindChanWin("#korbi"));
    EXPECT_EQ(server.Received(), before) << "no second JOIN";
}

} // namespace
} // namespace korbi::session

// When a lost connection is tried again by itself, and when it is left alone.
#include "support/scripted_session.h"

#include <gtest/gtest.h>

namespace korbi::session {
namespace {
using korbi::testing::WaitUntil;

// Silence is only short where a test waits for it: elsewhere a slow run must not look silent.
ServerWindowOptions QuickReconnect(int silenceMs = 60000) {
    ServerWindowOptions options = korbi::testing::LoopbackOptions();
    options.reconnect.firstDelayMs = 20;
    options.reconnect.silenceMs = silenceMs;
    options.reconnect.pingAnswerMs = silenceMs;
    options.reconnect.silenceCheckMs = 25;
    return options;
}

class ReconnectTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    explicit ReconnectTest(int silenceMs = 60000) : ScriptedSession(QuickReconnect(silenceMs)) {}

    void SetUp() override {
        ASSERT_TRUE(Connect());
        server.Send(":irc.test 001 Joe :Welcome\r\n:Joe!j@h JOIN :#r\r\n"
                    ":irc.test 353 Joe = #r :@Joe ann\r\n");
        ASSERT_TRUE(LogOn());
        server.Send(":Bob!b@h PRIVMSG Joe :psst\r\n");
        ASSERT_TRUE(WaitUntil([this] { return conversation.NextChan() == 3; }));
    }

    // The client comes back as connection index, and logs on there.
    bool ComesBackAs(int index) {
        return server.WaitForConnections(index + 1) && server.WaitForReceived("\nUSER ", index) &&
               (server.Send(":irc.test 376 Joe :End of MOTD\r\n", index), true);
    }
};

class SilentServerTest : public ReconnectTest {
  protected:
    SilentServerTest() : ReconnectTest(300) {}
    void SetUp() override { ASSERT_TRUE(Connect()); }
};

TEST_F(SilentServerTest, ASilentServerIsPingedThenLeft) {
    ASSERT_TRUE(server.WaitForReceived("\nPING :korbi\r", 0));
    ASSERT_TRUE(ComesBackAs(1));
    EXPECT_TRUE(Pane().contains("The server has not answered for 0 seconds"));
}

TEST_F(ReconnectTest, WhatTheUserEndsStaysEnded) {
    window.DisconnectFromServer();
    server.CloseClient(0);
    ASSERT_TRUE(WaitUntil([this] { return conversation.NextChan() == 1; }));
    // A typed quit is the user's too.
    ASSERT_TRUE(Connect());
    window.RunCommandLine("/quit bye");
    ASSERT_TRUE(server.WaitForReceived("QUIT :bye", 1));
    server.CloseClient(1);
    ASSERT_TRUE(WaitUntil([this] { return Pane().contains("*** Shutdown ***"); }));
    EXPECT_FALSE(server.WaitForConnections(3, 300));
}

TEST_F(ReconnectTest, AServerThatEndsTheSessionTheSameWayThriceIsLeftAlone) {
    for (int index = 0; index < 3; ++index) {
        if (index > 0) {
            ASSERT_TRUE(ComesBackAs(index));
        }
        server.Send("ERROR :Closing Link: (K-Lined)\r\n", index);
        server.CloseClient(index);
    }
    ASSERT_TRUE(WaitUntil([this] { return Pane().contains("not reconnecting"); }));
    EXPECT_FALSE(server.WaitForConnections(4, 300));
    EXPECT_EQ(conversation.NextChan(), 1);
}

} // namespace
} // namespace korbi::session

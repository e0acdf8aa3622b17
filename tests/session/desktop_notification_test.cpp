#include "platform/desktop_notifier.h"
#include "support/scripted_session.h"
#include "support/server_process.h"
#include "support/session_bus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

namespace korbi::session {
namespace {

using korbi::testing::WaitUntil;

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";

// The desktop's notification service as far as the client uses it: it keeps each Notify call,
// answers with ids from 7 on, and says that the user clicked or closed one.
class NotificationStub : public QDBusVirtualObject {
  public:
    explicit NotificationStub(const QString& address)
        : m_bus(QDBusConnection::connectToBus(address, "notification-stub")) {}
    ~NotificationStub() override {
        m_bus.unregisterObject(kPath);
        QDBusConnection::disconnectFromBus("notification-stub");
    }
    bool Register() {
        return m_bus.registerService(kService) &&
               m_bus.registerVirtualObject(kPath, this, QDBusConnection::SingleNode);
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        calls.push_back(message);
        connection.send(message.createReply(QVariant::fromValue(uint(6 + calls.size()))));
        return true;
    }
    QString introspect(const QString&) const override { return {}; }
    void Emit(const char* name, uint id, const QVariant& detail) {
        m_bus.send(QDBusMessage::createSignal(kPath, kService, name) << id << detail);
    }

    std::vector<QDBusMessage> calls;

  private:
    QDBusConnection m_bus;
};

TEST(DesktopNotification, ThePrivateMessageGoesOutWithTheServicesShapeAndAClickShowsItsPane) {
    korbi::testing::SessionBus bus;
    KORBI_REQUIRE_SERVER(bus);
    NotificationStub stub(bus.Address());
    ASSERT_TRUE(stub.Register());
    ServerWindowOptions options = korbi::testing::LoopbackOptions();
    options.notificationBus = bus.Address();
    korbi::testing::ScriptedSession session(options);

    // A replayed line also shows the time the server gave it.
    session.window.Process_MSG("@time=2026-12-07T18:21:16.123Z :ann!a@h PRIVMSG Joe :see "
                               "<b>this</b> & \x02that\x02\r\n");
    ASSERT_TRUE(WaitUntil([&] { return stub.calls.size() == 1; }));
    const int annPane = session.conversation.FindChanWin("ann");
    ASSERT_GT(annPane, 0);
    EXPECT_EQ(session.conversation.Lines(annPane).Line(0).time, 1796667676123);
    const QDBusMessage& call = stub.calls.front();
    EXPECT_EQ(call.interface() + "." + call.member(), "org.freedesktop.Notifications.Notify");
    EXPECT_EQ(call.signature(), "susssasa{sv}i");
    const QList<QVariant> args = call.arguments();
    ASSERT_EQ(args.size(), 8);
    EXPECT_EQ(args[0].toString(), "KorBi iRC Client"); // app_name
    EXPECT_EQ(args[1].toUInt(), 0u);                   // replaces_id
    EXPECT_EQ(args[2].toString(), "korbi");            // app_icon
    EXPECT_EQ(args[3].toString(), "ann");              // summary
    EXPECT_EQ(args[4].toString(), "ann -&gt; see &lt;b&gt;this&lt;/b&gt; &amp; that");
    EXPECT_EQ(args[5].toStringList(), (QStringList{"default", "Show"}));
    QVariantMap hints;
    args[6].value<QDBusArgument>() >> hints;
    EXPECT_EQ(hints, (QVariantMap{{"desktop-entry", "korbi"}}));
    EXPECT_EQ(args[7].toInt(), -1); // expire_timeout: as the service likes

    session.conversation.MakeVisible(0);
    QSignalSpy frameWanted(&session.window, &ServerWindow::FrameWanted);
    stub.Emit("ActionInvoked", 7, QString("default"));
    EXPECT_TRUE(WaitUntil([&] { return session.conversation.CurVisible() == annPane; }));
    EXPECT_EQ(frameWanted.count(), 1);

    // A closed notification is forgotten: a late click on it does nothing. Signals arrive in
    // order, so once the click on the next one has been handled, so has the late one.
    session.conversation.MakeVisible(0);
    stub.Emit("NotificationClosed", 7, QVariant::fromValue(uint(2)));
    session.window.Process_MSG(":bob!b@h PRIVMSG Joe :me too\r\n");
    ASSERT_TRUE(WaitUntil([&] { return stub.calls.size() == 2; }));
    stub.Emit("ActionInvoked", 7, QString("default"));
    stub.Emit("ActionInvoked", 8, QString("default"));
    EXPECT_TRUE(WaitUntil([&] { return frameWanted.count() == 2; }));
    EXPECT_EQ(session.conversation.CurVisible(), session.conversation.FindChanWin("bob"));
}

// Without a bus nothing is shown and nothing is said, on the console or in a window.
TEST(DesktopNotification, WithoutABusNothingHappens) {
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            ADD_FAILURE() << "unexpected message: " << text.toStdString();
        });
    {
        platform::DesktopNotifier notifier("unix:path=/nonexistent/korbi-bus");
        notifier.Notify("#c", "#c", "hello");
        notifier.Notify("#c", "#c", "again");
    }
    qInstallMessageHandler(previous);
}

} // namespace
} // namespace korbi::session

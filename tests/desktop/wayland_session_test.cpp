// The real program under a headless Wayland compositor (weston), as a user of a Wayland desktop
// meets it: its frame maps, its tray icon registers with the desktop's status-notifier watcher,
// the tray menu's "Connect" reaches the server, and the server's first line is printed in the
// server pane (seen in the pane's log). The test plays the watcher on a private D-Bus and the
// IRC server on 127.0.0.1.
#include "core/prefs_file.h"

#include "support/wait.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace korbi {
namespace {

using testing::WaitUntil;

constexpr int kStartMs = 30000;

// The desktop's org.kde.StatusNotifierWatcher, reduced to what a tray icon asks of it.
class NotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)

  public:
    bool HostRegistered() const { return true; }
    QStringList items; // the bus names of the registered tray icons

  public slots:
    void RegisterStatusNotifierItem(const QString& service) { items << service; }
};

// A process of the test, ended by its own pid when the test is over.
struct Child {
    QProcess process;
    ~Child() {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};

// The id of the menu item labelled label in a com.canonical.dbusmenu layout, -1 when none.
int FindMenuItem(const QDBusArgument& layout, const QString& label) {
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    int found = properties.value("label").toString().remove('&') == label ? id : -1;
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        const int inChild = FindMenuItem(child.variant().value<QDBusArgument>(), label);
        found = found >= 0 ? found : inChild;
    }
    layout.endArray();
    layout.endStructure();
    return found;
}

// Clicks the item labelled label in the menu of the tray icon registered as service.
bool ClickTrayMenuItem(const QDBusConnection& bus, const QString& service, const QString& label) {
    const auto call = [&](const QString& path, const QString& interface, const QString& method,
                          const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return bus.call(message, QDBus::Block, 5000).arguments();
    };
    const QVariantList menuProperty = call("/StatusNotifierItem", "org.freedesktop.DBus.Properties",
                                           "Get", {"org.kde.StatusNotifierItem", "Menu"});
    const QString menu = qvariant_cast<QDBusVariant>(menuProperty.value(0))
                             .variant()
                             .value<QDBusObjectPath>()
                             .path();
    const QString dbusmenu = "com.canonical.dbusmenu";
    call(menu, dbusmenu, "AboutToShow", {0});
    const QVariantList layout = call(menu, dbusmenu, "GetLayout", {0, -1, QStringList()});
    const int id =
        layout.size() < 2 ? -1 : FindMenuItem(layout.at(1).value<QDBusArgument>(), label);
    return id >= 0 && call(menu, dbusmenu, "Event",
                           {id, QString("clicked"), QVariant::fromValue(QDBusVariant(0)), 0U})
                          .isEmpty();
}

// Whether the client's Wayland log (WAYLAND_DEBUG) shows the toplevel titled title mapped: its
// surface made and titled, the compositor's configure acknowledged, then a buffer committed.
bool ToplevelMapped(const QString& log, const QString& title) {
    const QRegularExpression titled(
        R"(get_xdg_surface\(new id xdg_surface@(\d+), wl_surface@(\d+)\)(\n[^\n]*){0,20}?)"
        R"(\n[^\n]*xdg_toplevel@\d+\.set_title\(")" +
        QRegularExpression::escape(title));
    const QRegularExpressionMatch match = titled.match(log);
    if (!match.hasMatch()) {
        return false;
    }
    const QString surface = "wl_surface@" + match.captured(2);
    const qsizetype acked =
        log.indexOf("xdg_surface@" + match.captured(1) + ".ack_configure(", match.capturedEnd());
    const qsizetype attached = log.indexOf(surface + ".attach(wl_buffer@", acked);
    return acked >= 0 && attached >= 0 && log.indexOf(surface + ".commit()", attached) >= 0;
}

TEST(WaylandSession, FrameMapsAndTheTrayMenuConnects) {
    QTemporaryDir dir;
    const QString runtime = dir.filePath("run");
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime);
    environment.insert("HOME", dir.path());

    QTcpServer ircServer;
    ASSERT_TRUE(ircServer.listen(QHostAddress::LocalHost));
    const QDir programFolder(dir.filePath("data/korbi"));
    ASSERT_TRUE(programFolder.mkpath("."));
    core::Settings settings = core::ProvisionalSettings();
    settings.NickName = "Tester";
    settings.ServList = "127.0.0.1";
    settings.ServPort = std::to_string(ircServer.serverPort());
    settings.LogServer = true;
    std::ofstream(programFolder.filePath("Prefs File.INI").toStdString(), std::ios::binary)
        << core::RewrittenPrefsFile(settings);

    Child busDaemon;
    busDaemon.process.start("dbus-daemon", {"--session", "--print-address", "--nofork"});
    ASSERT_TRUE(WaitUntil([&] { return busDaemon.process.canReadLine(); })) << "no dbus-daemon";
    const QString busAddress = QString::fromUtf8(busDaemon.process.readLine()).trimmed();
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, "korbi-wayland-test");
    NotifierWatcher watcher;
    ASSERT_TRUE(
        bus.registerObject("/StatusNotifierWatcher", &watcher, QDBusConnection::ExportAllContents));
    ASSERT_TRUE(bus.registerService("org.kde.StatusNotifierWatcher"));

    // A shell without helper clients (panel, on-screen keyboard): nothing outlives weston.
    QFile config(dir.filePath("weston.ini"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("[core]\nshell=kiosk-shell.so\n\n[input-method]\npath=\n");
    config.close();
    const QString socket = QString("korbi-test-%1").arg(QCoreApplication::applicationPid());
    Child weston;
    weston.process.setProcessEnvironment(environment);
    weston.process.setProcessChannelMode(QProcess::MergedChannels);
    weston.process.start("weston", {"--backend=headless-backend.so", "--socket=" + socket,
                                    "--idle-time=0", "--config=" + config.fileName()});
    const auto listening = [&] { return QFile::exists(QDir(runtime).filePath(socket)); };
    WaitUntil([&] { return listening() || weston.process.state() == QProcess::NotRunning; }, 10000);
    if (!listening()) {
        const std::string why =
            (weston.process.errorString() + " " + weston.process.readAll()).toStdString();
        if (qEnvironmentVariableIsSet("CI")) {
            FAIL() << "weston could not start: " << why;
        }
        GTEST_SKIP() << "weston (headless) could not start here: " << why;
    }

    Child korbi;
    environment.remove("DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "wayland");
    environment.insert("WAYLAND_DISPLAY", socket);
    environment.insert("WAYLAND_DEBUG", "1");
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    environment.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    korbi.process.setProcessEnvironment(environment);
    korbi.process.start(KORBI_PROGRAM, {});
    ASSERT_TRUE(WaitUntil([&] { return !watcher.items.isEmpty(); }, kStartMs))
        << "no tray icon registered\n"
        << korbi.process.readAllStandardError().right(3000).toStdString();
    ASSERT_TRUE(ClickTrayMenuItem(bus, watcher.items.first(), "Connect"));
    ASSERT_TRUE(WaitUntil([&] { return ircServer.hasPendingConnections(); }, kStartMs));
    QTcpSocket* client = ircServer.nextPendingConnection();
    QByteArray received;
    ASSERT_TRUE(WaitUntil([&] {
        received += client->readAll();
        return received.contains("NICK Tester\r\n");
    })) << received.toStdString();
    client->write(":irc.test NOTICE Tester :*** Hello from the Wayland test\r\n");

    const auto serverLog = [&] {
        QFile log(programFolder.filePath("LOGS/127.0.0.1.LOG"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    };
    ASSERT_TRUE(WaitUntil([&] { return serverLog().contains("Hello from the Wayland test"); }))
        << serverLog().toStdString();
    EXPECT_TRUE(serverLog().contains("Connected to 127.0.0.1")) << serverLog().toStdString();
    const QString waylandLog = QString::fromUtf8(korbi.process.readAllStandardError());
    EXPECT_TRUE(ToplevelMapped(waylandLog, "KorBi iRC Client"))
        << waylandLog.right(4000).toStdString();
}

} // namespace
} // namespace korbi

#include "wayland_session_test.moc"

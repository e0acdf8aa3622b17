// The real program under a headless Wayland compositor (weston), as a user of a Wayland desktop
// meets it: its frame maps, its tray icon registers with the desktop's status-notifier watcher,
// the tray menu's "Connect" reaches the server, and the server's first line is printed in the
// server pane (seen in the pane's log). The test plays the watcher on a private D-Bus and the
// IRC server on 127.0.0.1.
#include "core/prefs_file.h"

#include "support/wait.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace korbi {
namespace {

using testing::WaitUntil;

constexpr int kStartMs = 30000;

// The desktop's org.kde.StatusNotifierWatcher, reduced to what a tray icon asks of it.
class NotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ HostRegistered)
    Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ Items)

  public:
    bool HostRegistered() const { return true; }
    int ProtocolVersion() const { return 0; }
    QStringList Items() const { return m_items; }

  public slots:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
        // An item names either its bus name (its object then has the usual path) or only its
        // object path.
        m_items << (service.startsWith('/') ? message.service() + service
                                            : service + "/StatusNotifierItem");
    }
    void RegisterStatusNotifierHost(const QString&) {}

  private:
    QStringList m_items;
};

// A process of the test, ended by its own pid when the test is over.
struct Child {
    QProcess process;
    ~Child() {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000)) {
                process.kill();
                process.waitForFinished(5000);
            }
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

QDBusMessage Call(const QDBusConnection& bus, const QString& service, const QString& path,
                  const QString& interface, const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, 5000);
}

// Clicks the item labelled label in the menu of the status-notifier item at item
// ("service/path").
bool ClickTrayMenuItem(const QDBusConnection& bus, const QString& item, const QString& label) {
    const qsizetype slash = item.indexOf('/');
    const QString service = item.left(slash);
    const QDBusMessage menuPath =
        Call(bus, service, item.mid(slash), "org.freedesktop.DBus.Properties", "Get",
             {"org.kde.StatusNotifierItem", "Menu"});
    if (menuPath.type() != QDBusMessage::ReplyMessage) {
        return false;
    }
    const QString menu = menuPath.arguments()
                             .value(0)
                             .value<QDBusVariant>()
                             .variant()
                             .value<QDBusObjectPath>()
                             .path();
    const QString dbusmenu = "com.canonical.dbusmenu";
    Call(bus, service, menu, dbusmenu, "AboutToShow", {0});
    const QDBusMessage layout =
        Call(bus, service, menu, dbusmenu, "GetLayout", {0, -1, QStringList()});
    if (layout.arguments().size() < 2) {
        return false;
    }
    const int id = FindMenuItem(layout.arguments().at(1).value<QDBusArgument>(), label);
    if (id < 0) {
        return false;
    }
    const QDBusMessage clicked =
        Call(bus, service, menu, dbusmenu, "Event",
             {id, QString("clicked"), QVariant::fromValue(QDBusVariant(0)), 0U});
    return clicked.type() == QDBusMessage::ReplyMessage;
}

// Whether the client's Wayland log (WAYLAND_DEBUG) shows a toplevel titled title mapped: the
// title set, the compositor's configure acknowledged, and a buffer committed to its surface.
bool ToplevelMapped(const QString& log, const QString& title) {
    const QRegularExpression toplevel(
        R"(xdg_surface@(\d+)\.get_toplevel\(new id xdg_toplevel@(\d+)\))");
    const QRegularExpression surface(
        R"(get_xdg_surface\(new id xdg_surface@(\d+), wl_surface@(\d+)\))");
    QHash<QString, QString> wlSurfaceOf;
    for (const auto& match : surface.globalMatch(log)) {
        wlSurfaceOf[match.captured(1)] = match.captured(2);
    }
    for (const auto& match : toplevel.globalMatch(log)) {
        const QString titled = "xdg_toplevel@" + match.captured(2) + ".set_title(\"" + title;
        const qsizetype at = log.indexOf(titled, match.capturedEnd());
        if (at < 0) {
            continue;
        }
        const QString xdgSurface = match.captured(1);
        const QString wlSurface = "wl_surface@" + wlSurfaceOf.value(xdgSurface);
        const qsizetype acked = log.indexOf("xdg_surface@" + xdgSurface + ".ack_configure(", at);
        const qsizetype attached = log.indexOf(wlSurface + ".attach(wl_buffer@", acked);
        if (acked >= 0 && attached >= 0 && log.indexOf(wlSurface + ".commit()", attached) >= 0) {
            return true;
        }
    }
    return false;
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(WaylandSession, FrameMapsAndTheTrayMenuConnects) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString runtime = dir.filePath("run");
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QTcpServer ircServer;
    ASSERT_TRUE(ircServer.listen(QHostAddress::LocalHost));
    const QString programFolder = dir.filePath("data/korbi");
    ASSERT_TRUE(QDir().mkpath(programFolder));
    core::Settings settings = core::ProvisionalSettings();
    settings.NickName = "Tester";
    settings.ServList = "127.0.0.1";
    settings.ServPort = std::to_string(ircServer.serverPort());
    settings.LogServer = true;
    std::ofstream(QDir(programFolder).filePath("Prefs File.INI").toStdString(), std::ios::binary)
        << core::RewrittenPrefsFile(settings);

    Child busDaemon;
    busDaemon.process.start("dbus-daemon", {"--session", "--print-address", "--nofork"});
    ASSERT_TRUE(busDaemon.process.waitForStarted(5000)) << "dbus-daemon did not start";
    ASSERT_TRUE(WaitUntil([&] { return busDaemon.process.canReadLine(); }));
    const QString busAddress = QString::fromUtf8(busDaemon.process.readLine()).trimmed();
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, "korbi-wayland-test");
    ASSERT_TRUE(bus.isConnected());
    NotifierWatcher watcher;
    ASSERT_TRUE(
        bus.registerObject("/StatusNotifierWatcher", &watcher,
                           QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService("org.kde.StatusNotifierWatcher"));

    const QString socket = QString("korbi-test-%1").arg(QCoreApplication::applicationPid());
    Child weston;
    QProcessEnvironment westonEnvironment = QProcessEnvironment::systemEnvironment();
    westonEnvironment.insert("XDG_RUNTIME_DIR", runtime);
    westonEnvironment.insert("HOME", dir.path());
    weston.process.setProcessEnvironment(westonEnvironment);
    weston.process.setProcessChannelMode(QProcess::MergedChannels);
    // A shell without helper clients (panel, on-screen keyboard): nothing outlives weston.
    const QString config = dir.filePath("weston.ini");
    QFile configFile(config);
    ASSERT_TRUE(configFile.open(QIODevice::WriteOnly));
    configFile.write("[core]\nshell=kiosk-shell.so\n\n[input-method]\npath=\n");
    configFile.close();
    weston.process.start("weston", {"--backend=headless-backend.so", "--socket=" + socket,
                                    "--idle-time=0", "--config=" + config});
    const bool compositorUp =
        weston.process.waitForStarted(5000) &&
        WaitUntil([&] { return QFile::exists(QDir(runtime).filePath(socket)); }, 10000);
    if (!compositorUp) {
        const QString why = weston.process.errorString() + " " + weston.process.readAll();
        if (qEnvironmentVariableIsSet("CI")) {
            FAIL() << "weston could not start: " << why.toStdString();
        }
        GTEST_SKIP() << "weston (headless) could not start here: " << why.toStdString();
    }

    Child korbi;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "wayland");
    environment.insert("WAYLAND_DISPLAY", socket);
    environment.insert("WAYLAND_DEBUG", "1");
    environment.insert("XDG_RUNTIME_DIR", runtime);
    environment.insert("HOME", dir.path());
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    environment.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    korbi.process.setProcessEnvironment(environment);
    korbi.process.start(KORBI_PROGRAM, {});
    ASSERT_TRUE(korbi.process.waitForStarted(5000));

    ASSERT_TRUE(WaitUntil([&] { return !watcher.Items().isEmpty(); }, kStartMs))
        << "no tray icon registered\n"
        << korbi.process.readAllStandardError().right(3000).toStdString();
    ASSERT_TRUE(ClickTrayMenuItem(bus, watcher.Items().first(), "Connect"));
    ASSERT_TRUE(WaitUntil([&] { return ircServer.hasPendingConnections(); }, kStartMs));
    QTcpSocket* client = ircServer.nextPendingConnection();
    QByteArray received;
    ASSERT_TRUE(WaitUntil([&] {
        received += client->readAll();
        return received.contains("NICK Tester\r\n");
    })) << received.toStdString();
    client->write(":irc.test NOTICE Tester :*** Hello from the Wayland test\r\n");

    const QString logs = QDir(programFolder).filePath("LOGS");
    const auto serverLog = [&] {
        QString text;
        for (const QString& name : QDir(logs).entryList({"*.LOG"}, QDir::Files)) {
            text += ReadAll(QDir(logs).filePath(name));
        }
        return text;
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

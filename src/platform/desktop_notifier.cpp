#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <memory>
#include <utility>

namespace korbi::platform {
namespace {

constexpr const char* kInterface = "org.freedesktop.Notifications";
constexpr int kServerDecidesTimeout = -1;

// Most notification services read the body as a small markup language: a "<" from a peer must
// show as itself.
QString PlainBody(const QString& text) {
    QString escaped = text;
    escaped.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
    return escaped;
}

} // namespace

DesktopNotifier::DesktopNotifier(QString busAddress, QObject* parent)
    : QObject(parent), m_address(std::move(busAddress)) {}

DesktopNotifier::~DesktopNotifier() {
    if (m_bus && !m_connectionName.isEmpty()) {
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
}

QDBusConnection* DesktopNotifier::Bus() {
    if (!m_tried) {
        m_tried = true;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!m_address.isEmpty()) {
            m_connectionName = QString("korbi-notifier-%1").arg(reinterpret_cast<quintptr>(this));
            bus = QDBusConnection::connectToBus(m_address, m_connectionName);
        }
        if (bus.isConnected()) {
            m_bus = std::make_unique<QDBusConnection>(bus);
            m_bus->connect(kService, kPath, kInterface, "ActionInvoked", this,
                           SLOT(OnActionInvoked(uint, QString)));
            m_bus->connect(kService, kPath, kInterface, "NotificationClosed", this,
                           SLOT(OnNotificationClosed(uint, uint)));
        }
    }
    return m_bus.get();
}

void DesktopNotifier::Notify(const QString& key, const QString& summary, const QString& body) {
    QDBusConnection* bus = Bus();
    if (bus == nullptr) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
    const QVariantMap hints{{"desktop-entry", QString(kDesktopEntry)}};
    call << QString(kAppName) << uint(0) << QString(kDesktopEntry) << summary << PlainBody(body)
         << QStringList{"default", "Show"} << hints << kServerDecidesTimeout;
    auto* watcher = new QDBusPendingCallWatcher(bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, key](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid()) {
                    m_shown.insert(reply.value(), key);
                }
                finished->deleteLater();
            });
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& action) {
    const auto found = m_shown.constFind(id);
    if (action == "default" && found != m_shown.constEnd()) {
        emit Activated(found.value());
    }
}

void DesktopNotifier::OnNotificationClosed(uint id, uint /*reason*/) {
    m_shown.remove(id);
}

} // namespace korbi::platform

#pragma once
// Desktop notifications through the freedesktop notification service on the session bus
// (org.freedesktop.Notifications). Without a bus or without the service nothing is shown and
// nothing is reported: a notification is a courtesy, never a reason to complain. A click on a
// notification (its "default" action) gives back the key it was shown with.
#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class QDBusConnection;

namespace korbi::platform {

class DesktopNotifier : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";
    static constexpr const char* kAppName = "KorBi iRC Client";
    static constexpr const char* kDesktopEntry = "korbi";

    // busAddress: the bus to use ("unix:path=..."); empty for the user's session bus. The bus
    // is reached on the first notification, not before.
    explicit DesktopNotifier(QString busAddress = {}, QObject* parent = nullptr);
    ~DesktopNotifier() override;
    DesktopNotifier(const DesktopNotifier&) = delete;
    DesktopNotifier& operator=(const DesktopNotifier&) = delete;

    // Shows summary and body (plain text: markup characters are escaped); returns at once.
    void Notify(const QString& key, const QString& summary, const QString& body);

  signals:
    // The user clicked the notification shown with key.
    void Activated(const QString& key);

  private slots:
    void OnActionInvoked(uint id, const QString& action);
    void OnNotificationClosed(uint id, uint reason);

  private:
    // The bus, connected and listening to the service's signals; null when there is none.
    QDBusConnection* Bus();

    QString m_address;
    QString m_connectionName;
    bool m_tried = false;
    std::unique_ptr<QDBusConnection> m_bus;
    QHash<uint, QString> m_shown; // notification id -> key, until closed
};

} // namespace korbi::platform

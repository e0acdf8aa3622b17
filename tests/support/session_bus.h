#pragma once
// A private D-Bus session bus for a test: dbus-daemon in the foreground, its address read from
// what it prints, ended by its own pid when the object goes away.
#include "support/wait.h"

#include <QProcess>
#include <QStandardPaths>

#include <string>

namespace korbi::testing {

class SessionBus {
  public:
    static constexpr const char* kName = "dbus-daemon";
    static bool Available() { return !QStandardPaths::findExecutable(kName).isEmpty(); }

    ~SessionBus() {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            m_daemon.waitForFinished(5000);
        }
    }

    // True once the daemon has printed the address it listens on.
    bool Start() {
        m_daemon.start(QStandardPaths::findExecutable(kName),
                       {"--session", "--print-address", "--nofork"});
        WaitUntil([this] {
            m_output += m_daemon.readAllStandardOutput();
            return m_output.contains('\n') || m_daemon.state() == QProcess::NotRunning;
        });
        m_address = QString::fromUtf8(m_output.left(m_output.indexOf('\n'))).trimmed();
        return !m_address.isEmpty();
    }
    const QString& Address() const { return m_address; }
    std::string Log() { return (m_output + m_daemon.readAllStandardError()).toStdString(); }

  private:
    QProcess m_daemon;
    QByteArray m_output;
    QString m_address;
};

} // namespace korbi::testing

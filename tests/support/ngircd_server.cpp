#include "support/ngircd_server.h"

#include "support/wait.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

namespace korbi::testing {

namespace {

constexpr const char* kBinary = "/usr/sbin/ngircd";

int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString Config(int port, int pingTimeout, const QString& includeDir) {
    return QString(R"([Global]
    Name = irc.test.local
    Info = test server
    Listen = 127.0.0.1
    Ports = %1
    MotdPhrase = test server
    AdminInfo1 = test
    AdminInfo2 = test
    AdminEMail = test@localhost
[Limits]
    MaxConnectionsIP = 0
    MaxJoins = 0
    MaxPenaltyTime = 0
    PingTimeout = %3
    PongTimeout = 20
[Options]
    DNS = no
    Ident = no
    PAM = no
    IncludeDir = %2
)")
        .arg(port)
        .arg(includeDir)
        .arg(pingTimeout);
}

bool Listening(int port) {
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    const bool up = probe.waitForConnected(200);
    probe.abort();
    return up;
}

} // namespace

NgircdServer::NgircdServer(int pingTimeout) : m_pingTimeout(pingTimeout) {}

NgircdServer::~NgircdServer() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

bool NgircdServer::Available() {
    return QFile::exists(kBinary);
}

bool NgircdServer::Start() {
    // ngircd drops to "nobody" when started as root: its files must be readable by others.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup);
    const QString includeDir = m_dir.filePath("conf.d");
    QDir().mkpath(includeDir);
    for (int attempt = 0; attempt < 3; ++attempt) {
        m_port = FreePort();
        const QString configPath = m_dir.filePath("ngircd.conf");
        QFile config(configPath);
        if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return false;
        }
        config.write(Config(m_port, m_pingTimeout, includeDir).toUtf8());
        config.close();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(kBinary, {"-n", "-f", configPath});
        if (!m_process.waitForStarted(5000)) {
            return false;
        }
        if (WaitUntil(
                [&] { return m_process.state() == QProcess::NotRunning || Listening(m_port); },
                10000) &&
            m_process.state() == QProcess::Running) {
            return true;
        }
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    return false;
}

std::string NgircdServer::Log() const {
    return const_cast<QProcess&>(m_process).readAll().toStdString();
}

} // namespace korbi::testing

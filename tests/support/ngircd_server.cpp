#include "support/ngircd_server.h"

#include <QDir>
#include <QFile>

namespace korbi::testing {

namespace {

constexpr const char* kBinary = "/usr/sbin/ngircd";

} // namespace

QString NgircdConfig(int port, const QString& includeDir) {
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
    PingTimeout = 120
    PongTimeout = 20
[Options]
    DNS = no
    Ident = no
    PAM = no
    IncludeDir = %2
)")
        .arg(port)
        .arg(includeDir);
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
    const QString configPath = m_dir.filePath("ngircd.conf");
    return m_server.Start(kBinary, [&](int port) -> std::optional<QStringList> {
        QFile config(configPath);
        if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return std::nullopt;
        }
        config.write(NgircdConfig(port, includeDir).toUtf8());
        return QStringList{"-n", "-f", configPath};
    });
}

std::string NgircdServer::Log() const {
    return m_server.Output();
}

} // namespace korbi::testing

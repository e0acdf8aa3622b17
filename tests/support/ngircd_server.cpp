#include "support/ngircd_server.h"
#include "support/ngircd_tls_server.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSslCertificate>

namespace korbi::testing {

namespace {

constexpr const char* kBinary = "/usr/sbin/ngircd";

QString Config(int port, const QString& includeDir) {
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

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

bool NgircdServer::Available() {
    return QFile::exists(kBinary);
}

bool NgircdServer::Launch(const std::function<std::optional<QString>()>& moreConfig) {
    // ngircd drops to "nobody" when started as root: its files must be readable by others.
    QFile::setPermissions(m_dir.path(), kOpenFolder);
    const QString includeDir = m_dir.filePath("conf.d");
    QDir().mkpath(includeDir);
    const QString configPath = m_dir.filePath("ngircd.conf");
    return m_server.Start(kBinary, [&](int port) -> std::optional<QStringList> {
        const std::optional<QString> more = moreConfig();
        QFile config(configPath);
        if (!more || !config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return std::nullopt;
        }
        config.write((Config(port, includeDir) + *more).toUtf8());
        return QStringList{"-n", "-f", configPath};
    });
}

bool NgircdTlsServer::MakeCertificate() {
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                              "-subj", "/CN=127.0.0.1", "-keyout", m_dir.filePath("key.pem"),
                              "-out", m_dir.filePath("cert.pem")});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        m_error = "openssl failed: " + openssl.readAll().toStdString();
        return false;
    }
    QFile::setPermissions(m_dir.filePath("key.pem"), kReadableByAll);
    QFile::setPermissions(m_dir.filePath("cert.pem"), kReadableByAll);
    const QByteArray cert = ReadFile(m_dir.filePath("cert.pem"));
    QFile client(m_dir.filePath("client.pem"));
    const QList<QSslCertificate> certificate = QSslCertificate::fromData(cert);
    if (certificate.isEmpty() || !client.open(QIODevice::WriteOnly)) {
        m_error = "no certificate made";
        return false;
    }
    client.write(cert + ReadFile(m_dir.filePath("key.pem")));
    m_fingerprint =
        certificate.first().digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
    return true;
}

bool NgircdTlsServer::Start() {
    if (!Available() || !MakeCertificate()) {
        return false;
    }
    return Launch([&]() -> std::optional<QString> {
        m_tlsPort = FreePort();
        if (m_tlsPort == 0) {
            return std::nullopt;
        }
        return QString("[SSL]\n    CertFile = %1\n    KeyFile = %2\n    Ports = %3\n")
            .arg(m_dir.filePath("cert.pem"), m_dir.filePath("key.pem"))
            .arg(m_tlsPort);
    });
}

} // namespace korbi::testing

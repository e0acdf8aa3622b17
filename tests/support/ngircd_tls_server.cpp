#include "support/ngircd_tls_server.h"

#include "support/ngircd_server.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>

namespace korbi::testing {

namespace {

constexpr const char* kBinary = "/usr/sbin/ngircd";
constexpr QFileDevice::Permissions kReadableByAll = QFileDevice::ReadOwner |
                                                    QFileDevice::WriteOwner |
                                                    QFileDevice::ReadGroup | QFileDevice::ReadOther;

} // namespace

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
    // ngircd reads them as "nobody" when started as root.
    QFile::setPermissions(m_dir.filePath("key.pem"), kReadableByAll);
    QFile::setPermissions(m_dir.filePath("cert.pem"), kReadableByAll);
    QFile client(m_dir.filePath("client.pem"));
    QFile cert(m_dir.filePath("cert.pem"));
    QFile key(m_dir.filePath("key.pem"));
    if (!client.open(QIODevice::WriteOnly) || !cert.open(QIODevice::ReadOnly) ||
        !key.open(QIODevice::ReadOnly)) {
        m_error = "cannot write the client certificate file";
        return false;
    }
    client.write(cert.readAll() + key.readAll());
    client.close();
    const QList<QSslCertificate> certificate =
        QSslCertificate::fromPath(m_dir.filePath("cert.pem"));
    if (certificate.isEmpty()) {
        m_error = "no certificate made";
        return false;
    }
    m_fingerprint =
        certificate.first().digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
    return true;
}

bool NgircdTlsServer::Start() {
    if (!QFile::exists(kBinary)) {
        return false;
    }
    QFile::setPermissions(m_dir.path(), kReadableByAll | QFileDevice::ExeOwner |
                                            QFileDevice::ExeGroup | QFileDevice::ExeOther);
    if (!MakeCertificate()) {
        return false;
    }
    const QString includeDir = m_dir.filePath("conf.d");
    QDir().mkpath(includeDir);
    const QString configPath = m_dir.filePath("ngircd.conf");
    return m_server.Start(kBinary, [&](int port) -> std::optional<QStringList> {
        m_tlsPort = FreePort();
        QFile config(configPath);
        if (m_tlsPort == 0 || !config.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return std::nullopt;
        }
        config.write((NgircdConfig(port, includeDir) +
                      QString(R"([SSL]
    CertFile = %1
    KeyFile = %2
    Ports = %3
)")
                          .arg(m_dir.filePath("cert.pem"), m_dir.filePath("key.pem"))
                          .arg(m_tlsPort))
                         .toUtf8());
        return QStringList{"-n", "-f", configPath};
    });
}

} // namespace korbi::testing

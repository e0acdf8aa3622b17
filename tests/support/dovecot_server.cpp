#include "support/dovecot_server.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace korbi::testing {

namespace {

constexpr const char* kBinary = "/usr/sbin/dovecot";

QString Config(const QString& dir, int port) {
    return QString(R"(protocols = pop3
listen = 127.0.0.1
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain
auth_failure_delay = 0
base_dir = %1/run
state_dir = %1/state
instance_name = korbi-test-dovecot-%2
log_path = %1/dovecot.log
default_login_user = dovenull
default_internal_user = dovecot
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u %1/users
}
userdb {
  driver = static
  args = uid=nobody gid=nogroup home=%1/home/%u
}
mail_location = maildir:~/Maildir
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = %2
  }
}
)")
        .arg(dir)
        .arg(port);
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The mailbox belongs to the user the server reads it as.
void HandToNobody(const QString& path) {
    if (const passwd* nobody = getpwnam("nobody")) {
        [[maybe_unused]] const int result =
            chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid);
    }
}

} // namespace

DovecotServer::DovecotServer(std::string user, std::string password)
    : m_user(std::move(user)), m_password(std::move(password)) {}

bool DovecotServer::Available() {
    return QFile::exists(kBinary);
}

bool DovecotServer::Start() {
    const QString dir = m_dir.path();
    // The login and mail processes run as other users: the folder must be open to them.
    QFile::setPermissions(dir, kOpenFolder);
    const QString user = QString::fromStdString(m_user);
    const QString home = dir + "/home/" + user;
    QDir().mkpath(dir + "/run");
    QDir().mkpath(dir + "/state");
    for (const QString& path : {dir + "/home", home, home + "/Maildir", home + "/Maildir/new",
                                home + "/Maildir/cur", home + "/Maildir/tmp"}) {
        QDir().mkpath(path);
        HandToNobody(path);
    }
    if (!WriteFile(dir + "/users", QString("%1:{PLAIN}%2::::::\n")
                                       .arg(user, QString::fromStdString(m_password))
                                       .toUtf8())) {
        return false;
    }
    const QString configPath = dir + "/dovecot.conf";
    return m_server.Start(kBinary, [&](int port) -> std::optional<QStringList> {
        if (!WriteFile(configPath, Config(dir, port).toUtf8())) {
            return std::nullopt;
        }
        return QStringList{"-F", "-c", configPath};
    });
}

bool DovecotServer::SetMailboxSize(int count) {
    const QString maildir = m_dir.path() + "/home/" + QString::fromStdString(m_user) + "/Maildir";
    for (const char* sub : {"/new", "/cur"}) {
        QDir folder(maildir + sub);
        for (const QString& name : folder.entryList(QDir::Files)) {
            folder.remove(name);
        }
    }
    for (int i = 0; i < count; ++i) {
        const int number = m_nextMessage++;
        const QString path = QString("%1/new/%2.M%2P1.korbi-test").arg(maildir).arg(number);
        const QByteArray message = QString("From: sender@example.net\r\nTo: %1@example.net\r\n"
                                           "Subject: message %2\r\n\r\nHello.\r\n")
                                       .arg(QString::fromStdString(m_user))
                                       .arg(number)
                                       .toUtf8();
        if (!WriteFile(path, message)) {
            return false;
        }
        HandToNobody(path);
    }
    return true;
}

std::string DovecotServer::Log() const {
    QFile log(m_dir.path() + "/dovecot.log");
    const std::string output = m_server.Output();
    return output + (log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : "");
}

} // namespace korbi::testing

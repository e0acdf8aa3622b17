#pragma once
// A real dovecot POP3 server on 127.0.0.1 for end-to-end tests: one user from a passwd file and
// a maildir, all in a temporary folder, stopped (by its own pid) when the object goes away.
// It must run as root, which hands the mailbox to "nobody".
#include "support/server_process.h"

#include <QTemporaryDir>

#include <string>

namespace korbi::testing {

class DovecotServer {
  public:
    DovecotServer(std::string user = "alice", std::string password = "secret");

    // False when the server could not be started.
    bool Start();
    int Port() const { return m_server.Port(); }
    // Makes the mailbox hold exactly count messages.
    bool SetMailboxSize(int count);
    std::string Log() const;
    static bool Available();
    static constexpr const char* kName = "dovecot";

  private:
    QTemporaryDir m_dir;
    std::string m_user;
    std::string m_password;
    ServerProcess m_server;
    int m_nextMessage = 1;
};

} // namespace korbi::testing

#pragma once
// A real ngircd on 127.0.0.1 for end-to-end tests, started from a config written into a
// temporary folder and stopped (by its own pid) when the object goes away.
#include "support/server_process.h"

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace korbi::testing {

// The configuration of a test ngircd listening on 127.0.0.1:port.
QString NgircdConfig(int port, const QString& includeDir);

class NgircdServer {
  public:
    // False when ngircd is not installed (tests then skip, except under CI where it fails).
    bool Start();
    // Shut down mid-session, then back on the same port.
    void Terminate() { m_server.Terminate(); }
    bool StartAgain() { return m_server.StartAgain(); }
    int Port() const { return m_server.Port(); }
    std::string Log() const;
    static bool Available();
    static constexpr const char* kName = "ngircd";

  private:
    QTemporaryDir m_dir;
    ServerProcess m_server;
};

} // namespace korbi::testing

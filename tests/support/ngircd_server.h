#pragma once
// A real ngircd on 127.0.0.1 for end-to-end tests, started from a config written into a
// temporary folder and stopped (by its own pid) when the object goes away.
#include "support/server_process.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>

namespace korbi::testing {

class NgircdServer {
  public:
    // False when ngircd is not installed (tests then skip, except under CI where it fails).
    bool Start() {
        return Launch([] { return QString(); });
    }
    int Port() const { return m_server.Port(); }
    std::string Log() const { return m_server.Output(); }
    static bool Available();
    static constexpr const char* kName = "ngircd";

  protected:
    // moreConfig gives what follows the common config (chosen anew for each port tried), or
    // nothing when it cannot.
    bool Launch(const std::function<std::optional<QString>()>& moreConfig);

    QTemporaryDir m_dir;
    ServerProcess m_server;
};

} // namespace korbi::testing

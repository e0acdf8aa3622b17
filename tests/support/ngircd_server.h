#pragma once
// A real ngircd on 127.0.0.1 for end-to-end tests, started from a config written into a
// temporary folder and stopped (by its own pid) when the object goes away.
#include "support/server_process.h"

#include <QTemporaryDir>

#include <string>

namespace korbi::testing {

class NgircdServer {
  public:
    // pingTimeout: seconds of silence after which the server PINGs a client.
    explicit NgircdServer(int pingTimeout = 120);

    // False when ngircd is not installed (tests then skip, except under CI where it fails).
    bool Start();
    int Port() const { return m_server.Port(); }
    std::string Log() const;
    static bool Available();

  private:
    QTemporaryDir m_dir;
    ServerProcess m_server;
    int m_pingTimeout;
};

// Skips the test when ngircd is missing; under CI=true a missing server is a failure.
#define KORBI_REQUIRE_NGIRCD(server)                                                               \
    do {                                                                                           \
        if (!korbi::testing::NgircdServer::Available()) {                                          \
            if (qEnvironmentVariableIsSet("CI")) {                                                 \
                FAIL() << "ngircd is not installed";                                               \
            }                                                                                      \
            GTEST_SKIP() << "ngircd is not installed";                                             \
        }                                                                                          \
        ASSERT_TRUE((server).Start()) << (server).Log();                                           \
    } while (false)

} // namespace korbi::testing

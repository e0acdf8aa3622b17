#pragma once
// A server program run for a test on 127.0.0.1: started on a free port, waited for until it
// listens there, and stopped (by its own pid) when the object goes away.
#include <QFileDevice>
#include <QProcess>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>

namespace korbi::testing {

// A port nobody listens on at the moment of asking.
int FreePort();

// A server started as root reads its files as another user ("nobody").
constexpr QFileDevice::Permissions kReadableByAll = QFileDevice::ReadOwner |
                                                    QFileDevice::WriteOwner |
                                                    QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions kOpenFolder =
    kReadableByAll | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;

class ServerProcess {
  public:
    // Writes what the program needs to listen on port and gives its arguments, or nothing
    // when that failed.
    using Preparation = std::function<std::optional<QStringList>(int port)>;

    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Tries up to three free ports (another program may take one between choosing and
    // listening); true once the program listens.
    bool Start(const QString& program, const Preparation& prepare);
    int Port() const { return m_port; }
    // What the program wrote to its standard output and error so far.
    std::string Output() const;

  private:
    bool Running() const { return m_process.state() == QProcess::Running; }
    bool Launch(const QString& program, const QStringList& arguments);
    void Stop();

    QProcess m_process;
    int m_port = 0;
};

} // namespace korbi::testing

// Starts a server for a test, or skips the test when the server program is missing; under
// CI=true a missing server is a failure.
#define KORBI_REQUIRE_SERVER(server)                                                               \
    do {                                                                                           \
        using Server = std::remove_cvref_t<decltype(server)>;                                      \
        if (!Server::Available()) {                                                                \
            if (qEnvironmentVariableIsSet("CI")) {                                                 \
                FAIL() << Server::kName << " is not installed";                                    \
            }                                                                                      \
            GTEST_SKIP() << Server::kName << " is not installed";                                  \
        }                                                                                          \
        ASSERT_TRUE((server).Start()) << (server).Log();                                           \
    } while (false)

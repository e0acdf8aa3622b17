#pragma once
// A scripted peer on 127.0.0.1: accepts connections, records every byte a client sends, and
// sends what the test tells it to.
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <optional>
#include <string>
#include <vector>

namespace korbi::testing {

class ScriptedServer : public QObject {
    Q_OBJECT
  public:
    ScriptedServer();

    int Port() const { return m_server.serverPort(); }
    int Connections() const { return static_cast<int>(m_clients.size()); }
    // Bytes received on connection index (in accept order).
    std::string Received(int index = -1) const;
    // Waits until connection index has received text containing needle.
    bool WaitForReceived(const std::string& needle, int index = -1, int timeoutMs = 5000) const;
    bool WaitForConnections(int count, int timeoutMs = 5000) const;
    void Send(const std::string& bytes, int index = -1);
    // Closes connection index from the server side.
    void CloseClient(int index = -1);
    bool ClientClosed(int index = -1) const;

  private:
    // Connection index (the last one when negative), or nothing when there is no such one.
    std::optional<std::size_t> Index(int index) const;

    QTcpServer m_server;
    std::vector<QPointer<QTcpSocket>> m_clients;
    std::vector<std::string> m_received;
    std::vector<bool> m_closed;
};

} // namespace korbi::testing

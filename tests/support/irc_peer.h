#pragma once
// A second IRC client, scripted by a test: a raw socket that registers with NICK and USER,
// answers the server's PINGs, and keeps every line it receives exactly as it arrived.
#include <QTcpSocket>

#include <string>
#include <vector>

namespace korbi::testing {

class IrcPeer {
  public:
    explicit IrcPeer(std::string nick) : m_nick(std::move(nick)) {}

    // Connects to 127.0.0.1:port and registers; true once the server's welcome arrived.
    bool Register(int port);
    // Sends one protocol line; the line end is added here.
    void Send(const std::string& line);
    // Waits for the next received line (after the last one a wait returned) that contains
    // needle, and returns it with its line end; "" when none arrived in time.
    std::string WaitForLine(const std::string& needle, int timeoutMs = 5000);
    // Every line received so far, line ends included.
    const std::vector<std::string>& Lines() const { return m_lines; }
    const std::string& Nick() const { return m_nick; }
    // Lets the reading cursor skip what arrived so far.
    void SkipReceived() { m_cursor = m_lines.size(); }

  private:
    void Read();

    std::string m_nick;
    QTcpSocket m_socket;
    std::string m_pending;
    std::vector<std::string> m_lines;
    std::size_t m_cursor = 0;
};

} // namespace korbi::testing

#pragma once
// A scripted IRC user on a raw socket: registers with a real server, sends the lines a test
// gives it and keeps every byte the server sends, so tests can check what other users see.
#include "support/wait.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <string>

namespace korbi::testing {

class IrcPeer {
  public:
    IrcPeer() {
        QObject::connect(&m_socket, &QTcpSocket::readyRead,
                         [this] { m_received += m_socket.readAll().toStdString(); });
    }

    // Connects and registers as nick; true once the server's welcome is complete.
    bool Register(int port, const std::string& nick) {
        m_socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        if (!m_socket.waitForConnected(5000)) {
            return false;
        }
        Send("NICK " + nick);
        Send("USER " + nick + " 0 * :scripted peer");
        return WaitFor(" 376 " + nick + " ");
    }

    void Send(const std::string& line) {
        m_socket.write(QByteArray::fromStdString(line + "\r\n"));
        m_socket.flush();
    }

    // Everything received, or everything received after a mark.
    const std::string& Received() const { return m_received; }
    std::size_t Mark() const { return m_received.size(); }
    std::string Since(std::size_t mark) const { return m_received.substr(mark); }

    // Waits until the text received after mark contains needle.
    bool WaitFor(const std::string& needle, std::size_t mark = 0, int timeoutMs = 5000) const {
        return WaitUntil(
            [&] {
                return m_received.size() >= mark &&
                       m_received.find(needle, mark) != std::string::npos;
            },
            timeoutMs);
    }

  private:
    QTcpSocket m_socket;
    std::string m_received;
};

} // namespace korbi::testing

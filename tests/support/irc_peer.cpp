#include "support/irc_peer.h"

#include "support/wait.h"

namespace korbi::testing {

bool IrcPeer::Register(int port) {
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { Read(); });
    m_socket.connectToHost("127.0.0.1", static_cast<quint16>(port));
    if (!m_socket.waitForConnected(5000)) {
        return false;
    }
    Send("NICK " + m_nick);
    Send("USER " + m_nick + " 0 * :" + m_nick + " the peer");
    return !WaitForLine(" 001 " + m_nick + " ", 10000).empty() &&
           !WaitForLine(" 376 " + m_nick + " ", 10000).empty();
}

void IrcPeer::Send(const std::string& line) {
    const std::string framed = line + "\r\n";
    m_socket.write(framed.data(), static_cast<qint64>(framed.size()));
    m_socket.flush();
}

std::string IrcPeer::WaitForLine(const std::string& needle, int timeoutMs) {
    std::string found;
    WaitUntil(
        [&] {
            for (std::size_t i = m_cursor; i < m_lines.size(); ++i) {
                if (m_lines[i].find(needle) != std::string::npos) {
                    found = m_lines[i];
                    m_cursor = i + 1;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

void IrcPeer::Read() {
    const QByteArray data = m_socket.readAll();
    m_pending.append(data.constData(), static_cast<std::size_t>(data.size()));
    for (std::size_t end; (end = m_pending.find("\r\n")) != std::string::npos;) {
        std::string line = m_pending.substr(0, end + 2);
        m_pending.erase(0, end + 2);
        if (line.starts_with("PING ")) {
            Send("PONG " + line.substr(5, line.size() - 7));
        }
        m_lines.push_back(std::move(line));
    }
}

} // namespace korbi::testing

#include "support/scripted_server.h"

#include "support/wait.h"

namespace korbi::testing {

ScriptedServer::ScriptedServer() {
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (m_server.hasPendingConnections()) {
            QTcpSocket* client = m_server.nextPendingConnection();
            client->setParent(this);
            const std::size_t index = m_clients.size();
            m_clients.push_back(client);
            m_received.emplace_back();
            m_closed.push_back(false);
            connect(client, &QTcpSocket::readyRead, this, [this, client, index] {
                const QByteArray data = client->readAll();
                m_received[index].append(data.constData(), static_cast<std::size_t>(data.size()));
            });
            connect(client, &QTcpSocket::disconnected, this,
                    [this, index] { m_closed[index] = true; });
        }
    });
}

std::string ScriptedServer::Received(int index) const {
    const int i = Index(index);
    return i >= 0 && i < Connections() ? m_received[static_cast<std::size_t>(i)] : std::string();
}

bool ScriptedServer::WaitForReceived(const std::string& needle, int index, int timeoutMs) const {
    return WaitUntil([&] { return Received(index).find(needle) != std::string::npos; }, timeoutMs);
}

bool ScriptedServer::WaitForConnections(int count, int timeoutMs) const {
    return WaitUntil([&] { return Connections() >= count; }, timeoutMs);
}

void ScriptedServer::Send(const std::string& bytes, int index) {
    const int i = Index(index);
    if (i < 0 || i >= Connections() || !m_clients[static_cast<std::size_t>(i)]) {
        return;
    }
    QTcpSocket* client = m_clients[static_cast<std::size_t>(i)];
    client->write(bytes.data(), static_cast<qint64>(bytes.size()));
    client->flush();
}

void ScriptedServer::CloseClient(int index) {
    const int i = Index(index);
    if (i >= 0 && i < Connections() && m_clients[static_cast<std::size_t>(i)]) {
        m_clients[static_cast<std::size_t>(i)]->disconnectFromHost();
    }
}

bool ScriptedServer::ClientClosed(int index) const {
    const int i = Index(index);
    return i >= 0 && i < Connections() && m_closed[static_cast<std::size_t>(i)];
}

} // namespace korbi::testing

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
                m_received[index] += client->readAll().toStdString();
            });
            connect(client, &QTcpSocket::disconnected, this,
                    [this, index] { m_closed[index] = true; });
        }
    });
}

std::optional<std::size_t> ScriptedServer::Index(int index) const {
    const int i = index < 0 ? Connections() - 1 : index;
    return i >= 0 && i < Connections() ? std::optional(static_cast<std::size_t>(i)) : std::nullopt;
}

std::string ScriptedServer::Received(int index) const {
    const auto i = Index(index);
    return i ? m_received[*i] : std::string();
}

bool ScriptedServer::WaitForReceived(const std::string& needle, int index, int timeoutMs) const {
    return WaitUntil([&] { return Received(index).find(needle) != std::string::npos; }, timeoutMs);
}

bool ScriptedServer::WaitForConnections(int count, int timeoutMs) const {
    return WaitUntil([&] { return Connections() >= count; }, timeoutMs);
}

void ScriptedServer::Send(const std::string& bytes, int index) {
    const auto i = Index(index);
    if (i && m_clients[*i]) {
        m_clients[*i]->write(bytes.data(), static_cast<qint64>(bytes.size()));
        m_clients[*i]->flush();
    }
}

void ScriptedServer::CloseClient(int index) {
    const auto i = Index(index);
    if (i && m_clients[*i]) {
        m_clients[*i]->disconnectFromHost();
    }
}

bool ScriptedServer::ClientClosed(int index) const {
    const auto i = Index(index);
    return i && m_closed[*i];
}

} // namespace korbi::testing

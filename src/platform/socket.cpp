#include "platform/socket.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostInfo>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <utility>

namespace korbi::platform {

namespace {

constexpr int kLingerMs = 5000; // how long a closed connection may take to flush its bytes
constexpr int kMaxPendingRequests = 64;

struct ErrorText {
    int number;
    QString description;
};

ErrorText DescribeError(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return {Socket::kHostUnreachable, "Host not found"};
    case QAbstractSocket::ConnectionRefusedError:
        return {Socket::kHostUnreachable, "Connection refused"};
    case QAbstractSocket::NetworkError:
        return {Socket::kHostUnreachable, "Network unreachable"};
    case QAbstractSocket::SocketTimeoutError:
        return {Socket::kTimedOut, "Connection timed out"};
    case QAbstractSocket::RemoteHostClosedError:
        return {Socket::kConnectionReset, "Connection reset by peer"};
    case QAbstractSocket::AddressInUseError:
        return {Socket::kAddressInUse, "Address already in use"};
    case QAbstractSocket::SslHandshakeFailedError:
        return {Socket::kOtherError, "TLS handshake failed"};
    default:
        return {Socket::kOtherError, "Socket error"};
    }
}

QString Fingerprint(const QSslCertificate& certificate) {
    return QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}

} // namespace

Socket::Socket(QObject* parent) : QObject(parent) {}

Socket::~Socket() {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

int Socket::State() const {
    if (m_server && m_server->isListening()) {
        return kListening;
    }
    if (!m_socket) {
        return kClosed;
    }
    if (m_failed) {
        return kError;
    }
    if (m_peerClosed) {
        return kClosing;
    }
    switch (m_socket->state()) {
    case QAbstractSocket::HostLookupState:
        return kResolving;
    case QAbstractSocket::ConnectingState:
        return kConnecting;
    case QAbstractSocket::ConnectedState:
        return kConnected;
    case QAbstractSocket::ClosingState:
        return kClosing;
    default:
        return kClosed;
    }
}

void Socket::Adopt(QTcpSocket* socket) {
    Release();
    m_socket = socket;
    m_socket->setParent(this);
    // Without a bound, one arrival could hold megabytes: the window would freeze while they are
    // handled, and they would be copied whole in memory.
    m_socket->setReadBufferSize(kReadAheadBytes);
    m_peerClosed = false;
    m_failed = false;
    // Over TLS the connection is ready for lines once the handshake is done.
    auto* secure = qobject_cast<QSslSocket*>(socket);
    const auto ready = [this] {
        LocalPort = m_socket->localPort();
        emit Connected();
    };
    if (secure != nullptr) {
        connect(secure, &QSslSocket::encrypted, this, ready);
    } else {
        connect(m_socket, &QTcpSocket::connected, this, ready);
    }
    connect(m_socket, &QTcpSocket::readyRead, this,
            [this] { emit DataArrival(m_socket->bytesAvailable()); });
    connect(m_socket, &QTcpSocket::bytesWritten, this, &Socket::BytesWritten);
    connect(m_socket, &QTcpSocket::disconnected, this, &Socket::OnDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &Socket::OnError);
}

// Lets the current connection finish sending what is queued, then frees it; the component is
// at once ready for a new connection.
void Socket::Release() {
    if (!m_socket) {
        return;
    }
    QTcpSocket* old = m_socket;
    m_socket = nullptr;
    old->disconnect(this);
    old->setParent(nullptr);
    if (old->state() == QAbstractSocket::ConnectedState && old->bytesToWrite() > 0) {
        connect(old, &QTcpSocket::disconnected, old, &QObject::deleteLater);
        connect(old, &QTcpSocket::errorOccurred, old, &QObject::deleteLater);
        QTimer::singleShot(kLingerMs, old, [old] {
            old->abort();
            old->deleteLater();
        });
        old->disconnectFromHost();
        return;
    }
    old->abort();
    old->deleteLater();
}

void Socket::Connect() {
    const QString host = QString::fromStdString(RemoteHost);
    const auto port = static_cast<quint16>(RemotePort);
    if (!Secure) {
        auto* socket = new QTcpSocket(this);
        Adopt(socket);
        socket->connectToHost(host, port);
        return;
    }
    auto* socket = new QSslSocket(this);
    Adopt(socket);
    WatchCertificate(socket);
    if (!ClientCertificate.empty()) {
        UseClientCertificate(*socket);
    }
    socket->connectToHostEncrypted(host, port);
}

// The file holds the certificate and its key (RSA or elliptic-curve), as PEM; one that cannot
// be read leaves the connection without a client certificate.
void Socket::UseClientCertificate(QSslSocket& socket) const {
    QFile file(QString::fromStdString(ClientCertificate));
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray pem = file.readAll();
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(pem);
    if (certificates.isEmpty()) {
        return;
    }
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec}) {
        const QSslKey key(pem, algorithm);
        if (!key.isNull()) {
            socket.setLocalCertificate(certificates.first());
            socket.setPrivateKey(key);
            return;
        }
    }
}

bool Socket::Encrypted() const {
    const auto* secure = qobject_cast<const QSslSocket*>(m_socket.data());
    return secure != nullptr && secure->isEncrypted();
}

// A certificate the system does not vouch for passes only with the fingerprint the user
// trusted; otherwise the handshake fails and the reason is told with the fingerprint.
void Socket::WatchCertificate(QSslSocket* socket) {
    m_refusal = {};
    connect(socket, &QSslSocket::sslErrors, this, [this, socket](const QList<QSslError>& errors) {
        const QString fingerprint = Fingerprint(socket->peerCertificate());
        if (!TrustedFingerprint.empty() && fingerprint.toStdString() == TrustedFingerprint) {
            socket->ignoreSslErrors();
            return;
        }
        QStringList reasons;
        for (const QSslError& error : errors) {
            reasons << error.errorString();
        }
        // Told when the handshake fails, just after this.
        m_refusal = {reasons.join("; "), fingerprint};
    });
}

void Socket::Close() {
    Release();
    if (m_server) {
        m_server->close();
        m_server->deleteLater();
        m_server = nullptr;
    }
    for (auto& [id, pending] : m_pending) {
        if (pending) {
            pending->abort();
            pending->deleteLater();
        }
    }
    m_pending.clear();
    LocalPort = 0;
}

void Socket::CloseGracefully(int waitMs) {
    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
        QTcpSocket& socket = *m_socket;
        socket.disconnect(this);
        const QDeadlineTimer deadline(waitMs);
        while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
            socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
            socket.readAll();
        }
    }
    Close();
}

void Socket::SendData(const std::string& bytes) {
    if (State() != kConnected) {
        return;
    }
    m_socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Out at once, not when the event loop next gets to the socket: an answer such as a PONG
    // must not wait behind repaints and other queued work.
    m_sending = true;
    m_socket->flush();
    m_sending = false;
}

// A failure found while sending is told from the event loop, as any other: the caller of
// SendData is often in the middle of handling a received line and must not see the connection
// end under it.
bool Socket::DeferredWhileSending(void (Socket::*handler)()) {
    if (!m_sending) {
        return false;
    }
    QTimer::singleShot(0, this, [this, handler, socket = m_socket] {
        if (socket && m_socket == socket) {
            (this->*handler)();
        }
    });
    return true;
}

std::string Socket::GetData() {
    if (!m_socket) {
        return {};
    }
    const QByteArray data = m_socket->readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

qint64 Socket::BytesToWrite() const {
    return m_socket ? m_socket->bytesToWrite() : 0;
}

void Socket::OnDisconnected() {
    if (DeferredWhileSending(&Socket::OnDisconnected)) {
        return;
    }
    // Bytes that came with the close are delivered before the close itself.
    if (m_socket && m_socket->bytesAvailable() > 0) {
        emit DataArrival(m_socket->bytesAvailable());
    }
    m_peerClosed = true;
    emit Closed();
}

void Socket::OnError() {
    if (!m_socket || DeferredWhileSending(&Socket::OnError)) {
        return;
    }
    const QAbstractSocket::SocketError error = m_socket->error();
    if (error == QAbstractSocket::RemoteHostClosedError) {
        return; // an ordinary close by the peer: reported by Closed
    }
    if (error == QAbstractSocket::SslHandshakeFailedError && !m_refusal.first.isEmpty()) {
        // The refusal is the whole story: no close or other error follows it.
        m_failed = true;
        m_socket->disconnect(this);
        const auto [reason, fingerprint] = std::exchange(m_refusal, {});
        emit CertificateRefused(reason, fingerprint);
        return;
    }
    const ErrorText text = DescribeError(error);
    m_failed = true;
    emit Error(text.number, text.description);
}

bool Socket::Bind(int port, const std::string& address) {
    Close();
    auto* server = new QTcpServer(this);
    const QHostAddress host = address.empty() ? QHostAddress(QHostAddress::Any)
                                              : QHostAddress(QString::fromStdString(address));
    if (!server->listen(host, static_cast<quint16>(port))) {
        delete server;
        return false;
    }
    m_server = server;
    LocalPort = server->serverPort();
    server->setMaxPendingConnections(kMaxPendingRequests);
    connect(server, &QTcpServer::newConnection, this, &Socket::OnNewConnection);
    return true;
}

void Socket::Listen() {
    if (m_server) {
        m_server->resumeAccepting();
    }
}

void Socket::OnNewConnection() {
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket* incoming = m_server->nextPendingConnection();
        if (static_cast<int>(m_pending.size()) >= kMaxPendingRequests) {
            incoming->abort();
            incoming->deleteLater();
            continue;
        }
        const int id = m_nextRequestID++;
        incoming->setParent(this);
        m_pending[id] = incoming;
        // A request nobody accepts is dropped when its peer goes away.
        connect(incoming, &QTcpSocket::disconnected, this, [this, id] {
            auto it = m_pending.find(id);
            if (it != m_pending.end()) {
                if (it->second) {
                    it->second->deleteLater();
                }
                m_pending.erase(it);
            }
        });
        emit ConnectionRequest(id);
    }
}

bool Socket::Accept(Socket& listener, int requestID) {
    const auto it = listener.m_pending.find(requestID);
    if (it == listener.m_pending.end() || !it->second) {
        return false;
    }
    QTcpSocket* socket = it->second;
    listener.m_pending.erase(it);
    socket->disconnect(&listener);
    Adopt(socket);
    LocalPort = socket->localPort();
    if (socket->bytesAvailable() > 0) {
        // Data that came before the accept is announced once the caller is ready for it.
        QTimer::singleShot(0, this, [this] {
            if (m_socket && m_socket->bytesAvailable() > 0) {
                emit DataArrival(m_socket->bytesAvailable());
            }
        });
    }
    return true;
}

std::string Socket::LocalIP() const {
    return m_socket ? m_socket->localAddress().toString().toStdString() : std::string();
}

std::string Socket::LocalHostName() const {
    return QHostInfo::localHostName().toStdString();
}

} // namespace korbi::platform

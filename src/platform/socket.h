#pragma once
// The TCP socket component every connection of the program goes through: the IRC connection,
// the mail checker and the picture exchange. Bytes in, bytes out, one char per byte; events on
// the user-interface thread. Error 25001 means the host cannot be found or reached.
#include <QObject>
#include <QPointer>

#include <map>
#include <string>
#include <utility>

class QSslSocket;
class QTcpServer;
class QTcpSocket;

namespace korbi::platform {

class Socket : public QObject {
    Q_OBJECT
  public:
    // The component's State values.
    static constexpr int kClosed = 0;
    static constexpr int kListening = 2;
    static constexpr int kResolving = 4;
    static constexpr int kConnecting = 6;
    static constexpr int kConnected = 7;
    static constexpr int kClosing = 8;
    static constexpr int kError = 9;

    static constexpr int kHostUnreachable = 25001;
    static constexpr int kTimedOut = 10060;
    static constexpr int kConnectionReset = 10054;
    static constexpr int kAddressInUse = 10048;
    static constexpr int kOtherError = 10000;

    // The most one DataArrival brings: a connection reads no further ahead of its user, so that
    // a flood comes as many small arrivals with the event loop running between them.
    static constexpr qint64 kReadAheadBytes = 64 * 1024;

    explicit Socket(QObject* parent = nullptr);
    ~Socket() override;

    std::string RemoteHost;
    int RemotePort = 0;
    int LocalPort = 0;

    // TLS for the next Connect: the certificate is checked against the system's authorities
    // and RemoteHost. One whose SHA-256 fingerprint is TrustedFingerprint passes all the same
    // (the user trusted it); ClientCertificate names a PEM file with a certificate and its key
    // that the client shows when set.
    bool Secure = false;
    std::string TrustedFingerprint;
    std::string ClientCertificate;

    // Whether the connection in place is encrypted.
    bool Encrypted() const;

    int State() const;

    // Starts connecting to RemoteHost:RemotePort; the outcome arrives as Connected or Error.
    void Connect();
    // Ends the connection (or stops listening). Bytes already queued are still sent; no Closed
    // event follows, since that event reports only a close made by the peer.
    void Close();
    // Ends a connection politely: what was sent leaves first, and the peer has up to waitMs to
    // close its side, so that it reads everything (a close with unread data would reset the
    // connection and could lose the last line). What arrives meanwhile is dropped unreported;
    // no Closed event follows.
    void CloseGracefully(int waitMs);
    // Sends bytes at once, as far as the network takes them; the rest is queued. Dropped when
    // not connected.
    void SendData(const std::string& bytes);
    // All bytes that arrived and were not taken yet.
    std::string GetData();
    // Bytes sent but still queued, not yet taken by the network.
    qint64 BytesToWrite() const;

    // Listening side: takes a local port (false when it is taken), then waits for peers.
    // An empty address listens on every interface.
    bool Bind(int port, const std::string& address = {});
    void Listen();
    // Takes over the pending connection requestID of the listening socket listener.
    bool Accept(Socket& listener, int requestID);

    // The local side of the connection (address and host name), for $IP and $HOST.
    std::string LocalIP() const;
    std::string LocalHostName() const;

  signals:
    void Connected();
    void DataArrival(qint64 bytesTotal);
    // Some queued bytes went out: a sender that feeds a long transfer piece by piece goes on.
    void BytesWritten();
    void Closed();
    void Error(int number, const QString& description);
    void ConnectionRequest(int requestID);
    // The server's certificate did not pass: the connection is given up. reason says why,
    // fingerprint is the certificate's SHA-256 ("AB:CD:...").
    void CertificateRefused(const QString& reason, const QString& fingerprint);

  private:
    void Adopt(QTcpSocket* socket);
    void Release();
    void OnDisconnected();
    void OnError();
    void OnNewConnection();
    void WatchCertificate(QSslSocket* socket);
    void UseClientCertificate(QSslSocket& socket) const;
    bool DeferredWhileSending(void (Socket::*handler)());

    QPointer<QTcpSocket> m_socket;
    QPointer<QTcpServer> m_server;
    std::map<int, QPointer<QTcpSocket>> m_pending;
    int m_nextRequestID = 1;
    bool m_peerClosed = false;
    bool m_failed = false;
    bool m_sending = false;
    // Why the certificate did not pass and its fingerprint, until the handshake fails.
    std::pair<QString, QString> m_refusal;
};

} // namespace korbi::platform

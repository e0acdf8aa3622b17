#pragma once
// Role: the connection to the server, as the features that talk to it see it.
#include <string>

namespace korbi::core {

class ServerLink {
  public:
    virtual ~ServerLink() = default;

    virtual int SocketState() const = 0; // 7 when connected
    virtual void Send2Serv(const std::string& line) = 0;
    // Writes bytes to the server socket as they are (the server pane's raw line).
    virtual void SendRaw(const std::string& bytes) = 0;
    virtual void ConnectToServer(const std::string& server, const std::string& port) = 0;
    // Asks the server which nicks of the notify list are online, as the notify watch does.
    virtual void SendNotifyQuery() = 0;
    virtual std::string LocalIP() const = 0;
    virtual std::string LocalHostName() const = 0;
};

} // namespace korbi::core

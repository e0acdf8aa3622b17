#pragma once
// The server window: the one connection to the IRC server, its toolbar, and the receive path
// from the socket to the dispatcher.
#include "platform/socket.h"
#include "prefs/settings.h"
#include "session/line_framer.h"

#include <QWidget>

#include <array>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace korbi::panes {
class ConversationWindow;
}

namespace korbi::session {

class ServerWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kToolButtons = 10;

    ServerWindow(prefs::Settings& settings, prefs::FrameFlags& flags,
                 panes::ConversationWindow& conversation, QWidget* parent = nullptr);

    // Disconnects from the current server when connected, then connects to Serv:Port.
    void ConnectToServer(const std::string& Serv, const std::string& Port);
    // Frames one protocol line (line feed, text, carriage return) and sends it when connected.
    void Send2Serv(const std::string& line);
    // The toolbar's disconnect: QUIT, and the close is left to the server when connected.
    void DisconnectFromServer();
    // Handles one received line, its line end still attached.
    void Process_MSG(const std::string& line);
    // Hands the server list and port to the settings before they are saved.
    void Form_Unload();

    platform::Socket& Socket1() { return *m_socket; }
    QComboBox* ServerName() const { return m_serverName; }
    QLineEdit* ServerPort() const { return m_serverPort; }
    QPushButton* ToolBut(int n) const { return m_toolButs[static_cast<std::size_t>(n)]; }

    void EnableToolBut(int n) { TogToolBut(n, 1); }
    void DisabToolBut(int n) { TogToolBut(n, 0); }
    void TogToolBut(int n, int enab);

  private:
    void Socket1_Connect();
    void Socket1_DataArrival();
    void Socket1_Close();
    void Socket1_Error(int number, const QString& description);
    void CheckForMsg(const std::string& arrival);
    void ToolButs_MouseUp(int n);
    void ConnectButtonAction();
    void SetBoxesEditable(bool editable);
    void PrintServer(int red, int green, int blue, const std::string& text,
                     const std::string& picture = {});
    std::string ServerText() const;

    prefs::Settings& m_settings;
    prefs::FrameFlags& m_flags;
    panes::ConversationWindow& m_conversation;
    platform::Socket* m_socket;
    LineFramer m_readTempBuf;
    QComboBox* m_serverName;
    QLineEdit* m_serverPort;
    std::array<QPushButton*, kToolButtons> m_toolButs{};
};

} // namespace korbi::session

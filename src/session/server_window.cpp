#include "session/server_window.h"

#include "panes/conversation_window.h"
#include "platform/text_encoding.h"
#include "platform/text_values.h"
#include "prefs/prefs_file.h"
#include "session/message_parsing.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace korbi::session {

namespace {

constexpr int kTwipsPerPixel = 15;

struct ToolButtonPlace {
    int n;
    int left; // twips
    const char* toolTip;
    const char* caption;
};

// Left to right as they stand in the row; button 6 sits beside the server box.
constexpr ToolButtonPlace kToolButtonPlaces[] = {
    {0, 240, "Connect to an IRC server", "Connect"},
    {1, 990, "Disconnect from the current server", "Disconnect"},
    {2, 1920, "Set your personnal and client information", "Setup"},
    {4, 2760, "Set your friends, and ennemies", "People"},
    {9, 3720, "Misc Preferences", "Prefs"},
    {7, 4680, "Set some Aliases and Popups", "Aliases"},
    {3, 5640, "Set Flood Protection and Autoexec Commands", "Auto"},
    {5, 6480, "Make Scripts", "Scripts"},
    {8, 7440, "Configure DCC", "DCC"},
};

int Px(int twips) {
    return twips / kTwipsPerPixel;
}

// A port must be a whole number a socket can use; anything else ends the connect.
bool ValidPort(const std::string& text, int& port) {
    const double value = platform::NumericValue(text);
    if (value < 1 || value > 65535 || value != static_cast<double>(static_cast<int>(value))) {
        return false;
    }
    port = static_cast<int>(value);
    return true;
}

} // namespace

ServerWindow::ServerWindow(prefs::Settings& settings, prefs::FrameFlags& flags,
                           panes::ConversationWindow& conversation, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_flags(flags), m_conversation(conversation),
      m_socket(new platform::Socket(this)), m_serverName(new QComboBox(this)),
      m_serverPort(new QLineEdit(this)) {
    setWindowTitle("Server Bar");
    m_serverName->setEditable(true);
    m_serverName->setObjectName("ServerName");
    m_serverPort->setObjectName("ServerPort");
    m_serverName->setGeometry(Px(450), Px(840), Px(3300), Px(300));
    m_serverPort->setGeometry(Px(3840), Px(840), Px(900), Px(300));

    for (const auto& place : kToolButtonPlaces) {
        auto* button = new QPushButton(place.caption, this);
        button->setGeometry(Px(place.left), Px(120), Px(735), Px(495));
        button->setToolTip(place.toolTip);
        const int n = place.n;
        connect(button, &QPushButton::clicked, this, [this, n] { ToolButs_MouseUp(n); });
        m_toolButs[static_cast<std::size_t>(n)] = button;
    }
    auto* serverList = new QPushButton("...", this);
    serverList->setGeometry(Px(150), Px(855), Px(255), Px(255));
    serverList->setToolTip("Edit Server List");
    connect(serverList, &QPushButton::clicked, this, [this] { ToolButs_MouseUp(6); });
    m_toolButs[6] = serverList;
    setMinimumHeight(Px(1500));

    connect(m_socket, &platform::Socket::Connected, this, &ServerWindow::Socket1_Connect);
    connect(m_socket, &platform::Socket::DataArrival, this, &ServerWindow::Socket1_DataArrival);
    connect(m_socket, &platform::Socket::Closed, this, &ServerWindow::Socket1_Close);
    connect(m_socket, &platform::Socket::Error, this, &ServerWindow::Socket1_Error);

    m_readTempBuf.Clear();
    for (int n = 0; n < kToolButtons; ++n) {
        EnableToolBut(n);
    }
    DisabToolBut(1);
}

void ServerWindow::TogToolBut(int n, int enab) {
    if (n >= 0 && n < kToolButtons && m_toolButs[static_cast<std::size_t>(n)] != nullptr) {
        m_toolButs[static_cast<std::size_t>(n)]->setEnabled(enab != 0);
    }
}

std::string ServerWindow::ServerText() const {
    return platform::ScreenToBytes(m_serverName->currentText());
}

void ServerWindow::PrintServer(int red, int green, int blue, const std::string& text,
                               const std::string& picture) {
    m_conversation.PrintCoul(0, picture, red, green, blue, text);
}

void ServerWindow::SetBoxesEditable(bool editable) {
    m_serverName->setEnabled(editable);
    m_serverPort->setReadOnly(!editable);
}

void ServerWindow::Send2Serv(const std::string& line) {
    if (m_socket->State() != platform::Socket::kConnected) {
        return;
    }
    m_socket->SendData("\n" + line + "\r");
}

void ServerWindow::ConnectToServer(const std::string& Serv, const std::string& Port) {
    if (m_socket->State() == platform::Socket::kConnected) {
        Send2Serv(":" + m_settings.NickName + " QUIT :" + m_settings.QuitMsg);
        PrintServer(0, 0, 128, "Disconnecting from current server...");
        m_socket->Close();
        m_socket->LocalPort = 0;
        SetBoxesEditable(true);
        EnableToolBut(0);
        DisabToolBut(1);
        EnableToolBut(2);
        m_conversation.PartAllChan();
    }
    m_serverName->setEditText(platform::BytesToScreen(Serv));
    if (Port.size() > 2) {
        m_serverPort->setText(platform::BytesToScreen(Port));
    }
    ConnectButtonAction();
}

// What the connect button does; ConnectToServer does the same after disconnecting.
void ServerWindow::ConnectButtonAction() {
    const std::string host = platform::TrimBlanks(ServerText());
    PrintServer(0, 0, 128, "Attempting to Connect to " + host);
    int port = 0;
    if (host.empty() || !ValidPort(platform::ScreenToBytes(m_serverPort->text()), port)) {
        return;
    }
    m_socket->RemoteHost = host;
    m_socket->RemotePort = port;
    m_socket->Connect();
    SetBoxesEditable(false);
    DisabToolBut(2);
}

void ServerWindow::DisconnectFromServer() {
    Send2Serv(":" + m_settings.NickName + " QUIT :" + m_settings.QuitMsg);
    PrintServer(0, 0, 128, "Disconnecting from current server...");
    if (m_socket->State() != platform::Socket::kConnected) {
        m_socket->Close();
    }
    m_flags.LoggedOn = false;
    m_socket->LocalPort = 0;
    SetBoxesEditable(true);
    EnableToolBut(0);
    DisabToolBut(1);
    EnableToolBut(2);
    m_conversation.PartAllChan();
}

void ServerWindow::ToolButs_MouseUp(int n) {
    switch (n) {
    case 0:
        ConnectButtonAction();
        break;
    case 1:
        DisconnectFromServer();
        break;
    case 5:
    case 8: {
        const int slot = m_conversation.CurVisible();
        m_conversation.PrintCoul(slot, "PICTS\\BETAWARN", 64, 0, 96, "   === ");
        m_conversation.PrintCoul(slot, "PICTS\\BETAWARN", 64, 0, 96,
                                 "This function is not yet available (beta version).");
        m_conversation.PrintCoul(slot, "PICTS\\BETAWARN", 64, 0, 96, "   ===");
        break;
    }
    default:
        break;
    }
}

void ServerWindow::Socket1_Connect() {
    // A new session starts clean: nothing of an earlier connection may leak into it.
    m_flags.LoggedOn = false;
    m_readTempBuf.Clear();
    if (m_conversation.NextChan() > 1) {
        m_conversation.PartAllChan();
    }
    PrintServer(0, 192, 0, "Connected to " + ServerText());
    PrintServer(0, 0, 0, "");
    PrintServer(0, 0, 0, "Registering yourself...");
    Send2Serv("NICK " + m_settings.NickName);
    Send2Serv("USER " + m_settings.MyUserName + " " + m_settings.HostName + " " + ServerText() +
              " :" + m_settings.RealName);
    SetBoxesEditable(false);
    TogToolBut(0, 0);
    TogToolBut(1, 1);
    TogToolBut(2, 1);
}

void ServerWindow::Socket1_DataArrival() {
    CheckForMsg(m_socket->GetData());
}

void ServerWindow::CheckForMsg(const std::string& arrival) {
    m_readTempBuf.Feed(
        arrival, [this](const std::string& line) { Process_MSG(line); },
        [this](std::size_t dropped) {
            PrintServer(192, 64, 64,
                        "A line from the server was too long and was dropped (" +
                            std::to_string(dropped) + " bytes)",
                        "PICTS\\WARNMARK");
        });
}

void ServerWindow::Process_MSG(const std::string& line) {
    const std::string command = GetMsgCommand(line);
    if (command == "PING") {
        Send2Serv(":" + m_settings.NickName + " PONG" + GetMsgParams(line));
        PrintServer(0, 0, 160, "Ping?? PONG!!!", "PICTS\\SERVMSG");
        return;
    }
    std::string text = line;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    PrintServer(0, 0, 0, text);
}

void ServerWindow::Socket1_Close() {
    m_flags.LoggedOn = false;
    PrintServer(0, 0, 0, "");
    PrintServer(128, 32, 32, "*** Shutdown ***");
    PrintServer(0, 0, 0, "");
    if (m_socket->State() == platform::Socket::kConnected) {
        m_socket->Close();
    }
    SetBoxesEditable(true);
    EnableToolBut(0);
    DisabToolBut(1);
    EnableToolBut(2);
    m_conversation.PartAllChan();
}

void ServerWindow::Socket1_Error(int number, const QString& description) {
    if (number == platform::Socket::kHostUnreachable) {
        PrintServer(0, 0, 0, "Server not found\\Unable to reach it.", "picts\\errormsg");
    }
    PrintServer(192, 64, 64,
                "Unknown Error ! (err" + std::to_string(number) + ") (" +
                    platform::ScreenToBytes(description) + ")",
                "PICTS\\ERRORMSG");
}

void ServerWindow::Form_Unload() {
    std::vector<std::string> entries;
    for (int i = 0; i < m_serverName->count(); ++i) {
        entries.push_back(platform::ScreenToBytes(m_serverName->itemText(i)));
    }
    const int selected = m_serverName->findText(m_serverName->currentText());
    m_settings.ServList = prefs::ServerListText(entries, selected, GetWord(1, ServerText()));
    m_settings.ServPort = platform::ScreenToBytes(m_serverPort->text());
}

} // namespace korbi::session

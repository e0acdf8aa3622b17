#include "session/server_window.h"

#include "core/prefs_file.h"
#include "irc/message_parsing.h"
#include "irc/outgoing_line.h"
#include "irc/ranks.h"
#include "media/pictures.h"
#include "media/text_playback.h"
#include "panes/channel_list_window.h"
#include "panes/conversation_window.h"
#include "panes/input_line_logic.h"
#include "panes/nick_list.h"
#include "platform/desktop_notifier.h"
#include "platform/text_encoding.h"
#include "platform/text_values.h"
#include "session/certificate_trust.h"
#include "session/conversations.h"
#include "session/notify_watch.h"
#include "session/toolbar.h"
#include "ui/frame_layout.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <vector>

namespace korbi::session {

namespace {

using ui::TwipsToPixels;

constexpr int kFloodCheckMs = 750;
constexpr int kQuitWaitMs = 1000; // the most the program waits for the server when it ends
constexpr const char* kNotConnected = "Not Connected to a server";

// A QUIT the client sends is the user leaving (the button, "/quit", a raw line): the close
// that follows is not a connection lost.
bool IsQuitLine(std::string_view line) {
    if (line.starts_with(':')) {
        const std::size_t blank = line.find(' ');
        line.remove_prefix(blank == std::string_view::npos ? line.size() : blank + 1);
    }
    return platform::EqualsNoCase(line.substr(0, line.find(' ')), "QUIT");
}

// The panes that hold channels, as opposed to private conversations.
std::vector<int> ChannelSlots(const core::PaneRegistry& panes) {
    std::vector<int> channels;
    for (int slot = 1; slot < panes.NextChan(); ++slot) {
        const std::string name = panes.WinName(slot);
        if (!name.empty() && (name.front() == '#' || name.front() == '&')) {
            channels.push_back(slot);
        }
    }
    return channels;
}

// A port must be a whole number a socket can use; anything else ends the connect. Written
// "+6697" it asks for TLS, as in other clients.
bool ValidPort(const std::string& text, int& port, bool& secure) {
    secure = text.starts_with('+');
    const double value = platform::NumericValue(secure ? text.substr(1) : text);
    if (value < 1 || value > 65535 || value != static_cast<double>(static_cast<int>(value))) {
        return false;
    }
    port = static_cast<int>(value);
    return true;
}

} // namespace

ServerWindow::ServerWindow(core::Settings& settings, core::FrameFlags& flags,
                           const platform::ProgramFolder& folder,
                           panes::ConversationWindow& conversation,
                           const ServerWindowOptions& options, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_flags(flags), m_folder(folder),
      m_conversation(conversation), m_socket(new platform::Socket(this)),
      m_serverName(new QComboBox(this)), m_serverPort(new QLineEdit(this)),
      m_desktopNotifier(new platform::DesktopNotifier(options.notificationBus, this)),
      m_login(m_conversation, *this), m_floodCheck(new QTimer(this)),
      m_sounds(m_soundPlayer, folder, this),
      m_playback(std::make_unique<media::TextPlayback>(m_conversation, m_conversation, *this, *this,
                                                       folder)),
      m_mailChecker(m_conversation, m_conversation, *this, *this, options.pop3Port,
                    options.mailTimeoutMs, this),
      m_pictureExchange(*this, *this, folder, options.pictureExchange, this),
      m_toolbar(new ServerToolbar(this)),
      m_reconnector(new Reconnector({.Retry = [this] { StartConnecting(); },
                                     .Say =
                                         [this](const std::string& text) {
                                             m_conversation.Print(0, core::LineStyle::Connecting,
                                                                  text);
                                         },
                                     .Send = [this](const std::string& line) { Send2Serv(line); },
                                     .DropSilentConnection =
                                         [this] {
                                             m_socket->Close();
                                             Socket1_Close();
                                         }},
                                    options.reconnect, this)) {
    setWindowTitle("Server Bar");
    m_serverName->setEditable(true);
    m_serverName->setObjectName("ServerName");
    m_serverPort->setObjectName("ServerPort");
    m_serverName->setGeometry(TwipsToPixels(450), TwipsToPixels(840), TwipsToPixels(3300),
                              TwipsToPixels(300));
    m_serverPort->setGeometry(TwipsToPixels(3840), TwipsToPixels(840), TwipsToPixels(900),
                              TwipsToPixels(300));

    setMinimumHeight(TwipsToPixels(1500));
    connect(m_toolbar, &ServerToolbar::ButtonAction, this, &ServerWindow::ToolButs_MouseUp);
    connect(m_toolbar, &ServerToolbar::MailCheckRequested, &m_mailChecker,
            &mail::MailChecker::StartMailCheck);
    connect(m_toolbar, &ServerToolbar::MailMenuRequested, this, &ServerWindow::MailMenuRequested);
    connect(m_toolbar, &ServerToolbar::PicServMenuRequested, this,
            [this](const QPoint& at) { m_pictureExchange.pictmenu()->popup(at); });
    connect(&m_mailChecker, &mail::MailChecker::MailIconChanged, m_toolbar,
            &ServerToolbar::SetMailPicture);
    connect(&m_pictureExchange, &pictx::PictureExchange::PicServIconChanged, m_toolbar,
            &ServerToolbar::SetPicServPicture);
    m_toolbar->SetMailPicture(m_mailChecker.MailIcon());
    m_toolbar->SetPicServPicture(m_pictureExchange.PicServIcon());

    connect(m_socket, &platform::Socket::Connected, this, &ServerWindow::Socket1_Connect);
    connect(m_socket, &platform::Socket::DataArrival, this, &ServerWindow::Socket1_DataArrival);
    connect(m_socket, &platform::Socket::Closed, this, &ServerWindow::Socket1_Close);
    connect(m_socket, &platform::Socket::Error, this, &ServerWindow::Socket1_Error);
    connect(m_socket, &platform::Socket::CertificateRefused, this,
            &ServerWindow::Socket1_CertificateRefused);
    m_dispatcher.SetFilter([this](const irc::ServerLine& line) { return m_login.Handle(line); });

    m_readTempBuf.Clear();

    m_floodCheck->setInterval(kFloodCheckMs);
    connect(m_floodCheck, &QTimer::timeout, this, [this] { m_dispatcher.FloodCheck_Timer(); });
    m_floodCheck->start();
    WirePanes();
    m_sounds.OpenAtStart();

    NotifyWatch::Hooks hooks;
    hooks.StartMailCheck = [this] { m_mailChecker.StartMailCheck(); };
    hooks.ResetConnectionControls = [this] {
        m_toolbar->NotConnectedState();
        SetBoxesEditable(true);
    };
    hooks.Arrived = [this](const std::string& nick, int slot, const std::string& text) {
        m_alerts.Alert(core::AlertEvent::NotifyArrival, m_conversation.WinName(slot), nick, text);
    };
    m_notifyWatch = std::make_unique<NotifyWatch>(m_conversation, m_conversation, *this, *this,
                                                  hooks, options.notifyIntervalMs);
    connect(m_desktopNotifier, &platform::DesktopNotifier::Activated, this,
            [this](const QString& pane) {
                m_conversation.MakeVisible(
                    m_conversation.FindChanWin(platform::ScreenToBytes(pane)));
                emit FrameWanted();
            });
    m_dispatcher.SetHandler(
        "303", [this](const irc::ServerLine& line) { m_notifyWatch->Process303(line.params); });
    // The server's ERROR still shows as before; the reconnection learns why the session ends.
    Dispatcher::Handler showError = m_dispatcher.SetHandler("ERROR", {});
    m_dispatcher.SetHandler("ERROR", [this, showError](const irc::ServerLine& line) {
        m_reconnector->ServerError(irc::WithoutLineEnd(line.params));
        if (showError) {
            showError(line);
        }
    });
}

ServerWindow::~ServerWindow() = default;

// The panes' input lines, drops and nick lists act through the interpreter and the session.
void ServerWindow::WirePanes() {
    using panes::ConversationWindow;
    connect(&m_conversation, &ConversationWindow::SendRequested, this,
            [this](const std::string& line) { Send2Serv(line); });
    connect(
        &m_conversation, &ConversationWindow::LineEntered, this,
        [this](int slot, const std::string& text) { panes::EnterLine(InputRoles(), slot, text); });
    connect(&m_conversation, &ConversationWindow::FilesDropped, this,
            [this](int slot, const std::vector<std::string>& files) {
                panes::TextViewWin_OLEDragDrop(InputRoles(), slot, files);
            });
    connect(&m_conversation, &ConversationWindow::NickActivated, this,
            &ServerWindow::nicklist_DblClick);
    // A channel named in the text is joined or shown as one picked from the channel list.
    connect(&m_conversation, &ConversationWindow::ChannelActivated, this,
            [this](const std::string& name) { nicklist_DblClick(0, name); });
    m_conversation.SetTopicBar(0, kNotConnected);
}

// A double click on a channel of the server pane's list joins it; on a nick it opens (or
// shows) a private window, with the limit of a join.
void ServerWindow::nicklist_DblClick(int slot, const std::string& entry) {
    if (entry.empty()) {
        return;
    }
    const std::string name =
        slot == 0 ? irc::GetWord(1, entry) : irc::WithoutRanks(entry, m_conversation.RankMarks());
    // An entry of marks alone ("@", "+") names nobody: a pane without a name could never be
    // addressed, and every nameless event would land in it.
    if (name.empty()) {
        return;
    }
    const int existing = m_conversation.FindChanWin(name);
    if (existing > 0) {
        m_conversation.MakeVisible(existing);
        return;
    }
    if (slot == 0) {
        Send2Serv("JOIN " + name);
        return;
    }
    if (m_conversation.NextChan() >= MaxWins) {
        m_conversation.NoMoreChan(name);
        return;
    }
    OpenConversation(m_conversation, m_conversation, m_settings, name, true);
}

std::string ServerWindow::ServerText() const {
    return platform::ScreenToBytes(m_serverName->currentText());
}

void ServerWindow::SetBoxesEditable(bool editable) {
    m_serverName->setEnabled(editable);
    m_serverPort->setReadOnly(!editable);
}

void ServerWindow::Send2Serv(const std::string& line) {
    if (m_socket->State() != platform::Socket::kConnected) {
        return;
    }
    if (IsQuitLine(line)) {
        m_reconnector->UserActed();
    }
    m_socket->SendData("\n" + irc::OutgoingLine(line) + "\r");
}

void ServerWindow::ConnectToServer(const std::string& Serv, const std::string& Port) {
    if (m_socket->State() == platform::Socket::kConnected) {
        Send2Serv(":" + m_settings.NickName + " QUIT :" + m_settings.QuitMsg);
        m_conversation.Print(0, core::LineStyle::Connecting,
                             "Disconnecting from current server...");
        m_socket->Close();
        m_socket->LocalPort = 0;
        EndSession();
    }
    m_serverName->setEditText(platform::BytesToScreen(Serv));
    if (Port.size() > 2) {
        m_serverPort->setText(platform::BytesToScreen(Port));
    }
    ConnectButtonAction();
}

// What the connect button does; ConnectToServer does the same after disconnecting.
void ServerWindow::ConnectButtonAction() {
    m_reconnector->UserActed();
    StartConnecting();
}

void ServerWindow::StartConnecting() {
    const std::string host = platform::TrimBlanks(ServerText());
    m_conversation.Print(0, core::LineStyle::Connecting, "Attempting to Connect to " + host);
    int port = 0;
    bool secure = false;
    if (host.empty() || !ValidPort(platform::ScreenToBytes(m_serverPort->text()), port, secure)) {
        return;
    }
    m_socket->RemoteHost = host;
    m_socket->RemotePort = port;
    m_socket->Secure = secure;
    m_socket->TrustedFingerprint = m_settings.Extras.Value(TrustedCertKey(host)).value_or("");
    m_socket->ClientCertificate = m_settings.Extras.Value("ClientCertificate").value_or("");
    m_socket->Connect();
    SetBoxesEditable(false);
    m_toolbar->ConnectingState();
}

void ServerWindow::DisconnectFromServer() {
    m_reconnector->UserActed();
    Send2Serv(":" + m_settings.NickName + " QUIT :" + m_settings.QuitMsg);
    m_conversation.Print(0, core::LineStyle::Connecting, "Disconnecting from current server...");
    if (m_socket->State() != platform::Socket::kConnected) {
        m_socket->Close();
    }
    m_flags.LoggedOn = false;
    m_socket->LocalPort = 0;
    EndSession();
}

// Leaving the program while connected: the server is told why, as the disconnect button tells
// it, but is not waited for long.
void ServerWindow::QuitServer() {
    m_reconnector->UserActed();
    if (m_socket->State() != platform::Socket::kConnected) {
        return;
    }
    Send2Serv(":" + m_settings.NickName + " QUIT :" + m_settings.QuitMsg);
    m_socket->CloseGracefully(kQuitWaitMs);
    m_flags.LoggedOn = false;
}

void ServerWindow::ShowDisconnectedControls() {
    SetBoxesEditable(true);
    m_toolbar->DisconnectedState();
}

void ServerWindow::EndSession(bool keepPanes) {
    ShowDisconnectedControls();
    ShowSecure(false);
    if (m_conversation.LogOpen(0)) {
        m_conversation.CloseLog(0);
    }
    // After a disconnect the server still talks until it closes: its parting notices must
    // still be known as the server's. Its close ends the session again and resets the name.
    if (m_socket->State() != platform::Socket::kConnected) {
        m_conversation.SetTopicBar(0, kNotConnected);
    }
    if (!keepPanes) {
        m_conversation.PartAllChan();
    }
}

void ServerWindow::ConnectionLost() {
    if (!m_reconnector->ConnectionEnded()) {
        EndSession();
        return;
    }
    // Who is in a channel is known again only once it is joined again.
    for (const int slot : ChannelSlots(m_conversation)) {
        m_conversation.SetNickListItems(slot, {});
    }
    EndSession(true);
}

void ServerWindow::RejoinChannels() {
    m_reconnector->Recovered();
    for (const int slot : ChannelSlots(m_conversation)) {
        Send2Serv("JOIN " + m_conversation.WinName(slot));
    }
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
        m_conversation.Print(slot, core::LineStyle::BetaWarning, "   === ");
        m_conversation.Print(slot, core::LineStyle::BetaWarning,
                             "This function is not yet available (beta version).");
        m_conversation.Print(slot, core::LineStyle::BetaWarning, "   ===");
        break;
    }
    default:
        emit DialogRequested(n);
        break;
    }
}

void ServerWindow::Socket1_Connect() {
    // A new session starts clean: nothing of an earlier connection may leak into it.
    m_flags.LoggedOn = false;
    m_flags.OwnSource.clear();
    m_readTempBuf.Clear();
    m_notifyWatch->ForgetPendingAnswers();
    m_reconnector->SessionStarted();
    // Until this server names its rank marks, the ones every server knows.
    m_conversation.SetRankMarks(std::string(irc::kDefaultRankMarks));
    if (m_conversation.NextChan() > 1 && !m_reconnector->Recovering()) {
        m_conversation.PartAllChan();
    }
    const std::string server = platform::TrimBlanks(ServerText());
    m_conversation.SetTopicBar(0, server);
    if (m_settings.LogServer && !m_conversation.LogOpen(0)) {
        m_conversation.OpenLog(0, platform::SafeFileName(server));
    }
    m_conversation.Print(0, core::LineStyle::Connected, "Connected to " + ServerText());
    m_conversation.Print(0, core::LineStyle::Plain, "");
    m_conversation.Print(0, core::LineStyle::Plain, "Registering yourself...");
    m_login.Start(LoginOptionsFor(m_settings, m_socket->RemoteHost, m_socket->Encrypted()));
    Send2Serv("NICK " + m_settings.NickName);
    Send2Serv("USER " + m_settings.MyUserName + " " + m_settings.HostName + " " + ServerText() +
              " :" + m_settings.RealName);
    SetBoxesEditable(false);
    m_toolbar->ConnectedState();
    m_toolbar->RWReset();
    ShowSecure(m_socket->Encrypted());
}

void ServerWindow::Socket1_DataArrival() {
    m_reconnector->DataArrived();
    m_toolbar->RWRotate();
    CheckForMsg(m_socket->GetData());
}

void ServerWindow::CheckForMsg(const std::string& arrival) {
    m_readTempBuf.Feed(
        arrival, [this](const std::string& line) { Process_MSG(line); },
        [this](std::size_t dropped) {
            m_conversation.Print(0, core::LineStyle::ClientWarning,
                                 "A line from the server was too long and was dropped (" +
                                     std::to_string(dropped) + " bytes)");
        });
}

void ServerWindow::Process_MSG(const std::string& line) {
    const bool wasLoggedOn = m_flags.LoggedOn;
    m_dispatcher.Process_MSG(line);
    if (!wasLoggedOn && m_flags.LoggedOn) {
        m_reconnector->Welcomed();
        if (m_reconnector->Recovering()) {
            RejoinChannels();
        }
    }
}

void ServerWindow::Socket1_Close() {
    m_toolbar->RWDisable();
    m_flags.LoggedOn = false;
    m_conversation.Print(0, core::LineStyle::Plain, "");
    m_conversation.Print(0, core::LineStyle::Shutdown, "*** Shutdown ***");
    m_conversation.Print(0, core::LineStyle::Plain, "");
    if (m_socket->State() == platform::Socket::kConnected) {
        m_socket->Close();
    }
    ConnectionLost();
}

void ServerWindow::Socket1_Error(int number, const QString& description) {
    if (number == platform::Socket::kHostUnreachable) {
        m_conversation.Print(0, core::LineStyle::ServerNotFound,
                             "Server not found\\Unable to reach it.");
    }
    m_conversation.Print(0, core::LineStyle::ConnectionError,
                         "Unknown Error ! (err" + std::to_string(number) + ") (" +
                             platform::ScreenToBytes(description) + ")");
    // Nothing is left to wait for: the user may correct the server or the port at once, not
    // only when the notify timer next finds the connection gone.
    if (m_socket->State() != platform::Socket::kConnected) {
        m_flags.LoggedOn = false;
        m_toolbar->RWDisable();
        ShowDisconnectedControls();
        if (m_reconnector->Recovering()) {
            m_reconnector->ConnectionEnded();
        }
    }
}

// An unknown or changed certificate: one line says why with the fingerprint, and the user may
// trust it for this host; the next connect then goes through.
void ServerWindow::Socket1_CertificateRefused(const QString& reason, const QString& fingerprint) {
    const std::string host = m_socket->RemoteHost;
    const std::string print = fingerprint.toStdString();
    m_conversation.Print(
        0, core::LineStyle::ConnectionError,
        RefusalText(host, platform::ScreenToBytes(reason), print, m_socket->TrustedFingerprint));
    m_flags.LoggedOn = false;
    m_toolbar->RWDisable();
    ShowDisconnectedControls();
    // Only the user can judge the certificate: no try of a lost connection goes on by itself.
    m_reconnector->UserActed();
    AskToTrust(this, m_settings, host, print, [this, host] {
        m_conversation.Print(0, core::LineStyle::Connecting,
                             "The certificate of " + host + " is trusted from now on.");
    });
}

void ServerWindow::ShowSecure(bool secure) {
    m_flags.Secure = secure;
    m_toolbar->SetSecure(secure);
    emit SecureChanged(secure);
}

void ServerWindow::Form_Unload() {
    QuitServer();
    std::vector<std::string> entries;
    for (int i = 0; i < m_serverName->count(); ++i) {
        entries.push_back(platform::ScreenToBytes(m_serverName->itemText(i)));
    }
    const int selected = m_serverName->findText(m_serverName->currentText());
    m_settings.ServList = core::ServerListText(entries, selected, irc::GetWord(1, ServerText()));
    m_settings.ServPort = platform::ScreenToBytes(m_serverPort->text());
}

// ---- Roles: the panes are the conversation window's, the rest this window's.

HandlerRoles ServerWindow::Roles() {
    return {m_conversation, m_conversation, m_conversation, m_conversation, *this,
            *this,          *this,          *this,          *this,          m_alerts};
}

panes::InputLineRoles ServerWindow::InputRoles() {
    return {m_conversation, m_conversation, *this, *this, *this, *this};
}

void ServerWindow::ClearChanList() {
    if (m_chanListForm != nullptr) {
        m_chanListForm->ClearChanList();
    }
}
void ServerWindow::AddChanListEntry(const irc::ChanListRow& row) {
    if (m_chanListForm != nullptr) {
        m_chanListForm->AddChanListEntry(row);
    }
}

int ServerWindow::SocketState() const {
    return m_socket->State();
}
void ServerWindow::SendRaw(const std::string& bytes) {
    if (m_socket->State() == platform::Socket::kConnected) {
        if (IsQuitLine(bytes)) {
            m_reconnector->UserActed();
        }
        m_socket->SendData(bytes);
    }
}

void ServerWindow::SendNotifyQuery() {
    m_notifyWatch->SendNotifyQuery();
}
std::string ServerWindow::LocalIP() const {
    return m_socket->LocalIP();
}
std::string ServerWindow::LocalHostName() const {
    return m_socket->LocalHostName();
}
void ServerWindow::SendCommand2Serv(const std::string& line) {
    m_interpreter.SendCommand2Serv(line);
}
void ServerWindow::RunCommandLine(const std::string& line) {
    m_interpreter.RunCommandLine(line);
}
void ServerWindow::PlaySound(const std::string& file) {
    m_sounds.PlaySound(file);
}
void ServerWindow::PlayTextFile(const std::string& file, int slot) {
    m_playback->PlayTextFile(m_conversation.WinName(slot), file);
}
bool ServerWindow::CheckFileExist(const std::string& path) const {
    return media::CheckFileExist(m_folder, path);
}
bool ServerWindow::IsFetching() const {
    return m_pictureExchange.IsFetching();
}
void ServerWindow::FetchFile(const std::string& host, const std::string& path) {
    m_pictureExchange.FetchFile(host, path);
}
void ServerWindow::RefreshPict(const std::string& picture) {
    m_conversation.ReloadPicture(picture);
}
void ServerWindow::Notify(const std::string& pane, const std::string& summary,
                          const std::string& body) {
    m_desktopNotifier->Notify(platform::BytesToScreen(pane), platform::BytesToScreen(summary),
                              platform::BytesToScreen(body));
}

} // namespace korbi::session

#pragma once
// The server window: the one connection to the IRC server, its toolbar, and the receive path
// from the socket to the dispatcher.
#include "commands/interpreter.h"
#include "core/alerts.h"
#include "core/channel_listing.h"
#include "core/command_runner.h"
#include "core/media.h"
#include "core/nick_picture_table.h"
#include "core/pane_registry.h"
#include "core/server_link.h"
#include "core/settings.h"
#include "core/settings_access.h"
#include "irc/line_framer.h"
#include "mail/mail_checker.h"
#include "mail/pop3_dialogue.h"
#include "media/sounds.h"
#include "panes/input_line_logic.h"
#include "pictx/picture_exchange.h"
#include "platform/program_folder.h"
#include "platform/socket.h"
#include "platform/sound_player.h"
#include "session/dispatcher.h"
#include "session/login.h"
#include "session/reconnector.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QComboBox;
class QLineEdit;
class QTimer;

namespace korbi::panes {
class ChannelListWindow;
class ConversationWindow;
} // namespace korbi::panes
namespace korbi::media {
class TextPlayback;
}
namespace korbi::platform {
class DesktopNotifier;
}

namespace korbi::session {

class NotifyWatch;
class ServerToolbar;

// Ports and periods of the services the server window runs; tests change them.
struct ServerWindowOptions {
    int pop3Port = mail::Pop3Port;
    int mailTimeoutMs = mail::MailTimeoutMs;
    pictx::PictureExchangeOptions pictureExchange;
    int notifyIntervalMs = 45000;
    ReconnectOptions reconnect;
    // The bus of the desktop notifications ("unix:path=..."); empty: the user's session bus.
    QString notificationBus;
};

// The server window serves the roles the conversation window does not: the connection, the
// interpreter, the media services, the settings and the channel list. The protocol handlers and
// the interpreter reach the panes through the conversation window's own roles.
class ServerWindow : public QWidget,
                     public core::ServerLink,
                     public core::CommandRunner,
                     public core::Media,
                     public core::SettingsAccess,
                     public core::ChannelListing,
                     public core::Notifier {
    Q_OBJECT
  public:
    static constexpr int kToolButtons = 10;
    static constexpr int MaxWins = core::PaneRegistry::MaxWins;

    ServerWindow(core::Settings& settings, core::FrameFlags& flags,
                 const platform::ProgramFolder& folder, panes::ConversationWindow& conversation,
                 const ServerWindowOptions& options = {}, QWidget* parent = nullptr);
    ~ServerWindow() override;

    // Disconnects from the current server when connected, then connects to Serv:Port.
    void ConnectToServer(const std::string& Serv, const std::string& Port) override;
    // Frames one protocol line (line feed, text, carriage return) and sends it when connected;
    // a line break inside the text never goes out (OutgoingLine).
    void Send2Serv(const std::string& line) override;
    // The toolbar's disconnect: QUIT, and the close is left to the server when connected.
    void DisconnectFromServer();
    // Handles one received line, its line end still attached.
    void Process_MSG(const std::string& line);
    // The window closes with the program: a connected server gets the QUIT line with the quit
    // message before the connection ends, and the server list and port go to the settings.
    void Form_Unload();

    QComboBox* ServerName() const { return m_serverName; }
    QLineEdit* ServerPort() const { return m_serverPort; }

    // The channel list window the 321 to 323 replies fill (owned by the main frame).
    void SetChanListForm(panes::ChannelListWindow* window) { m_chanListForm = window; }

    mail::MailChecker& mailChecker() { return m_mailChecker; }
    commands::CommandInterpreter& interpreter() { return m_interpreter; }

    // SettingsAccess.
    core::Settings& settings() override { return m_settings; }
    core::FrameFlags& flags() override { return m_flags; }
    core::NickPictTable& nickPicts() override { return m_nickPicts; }

    // ChannelListing: the channel list window, when there is one.
    void ClearChanList() override;
    void AddChanListEntry(const irc::ChanListRow& row) override;

    // ServerLink, CommandRunner, Media.
    int SocketState() const override;
    void SendRaw(const std::string& bytes) override;
    void SendNotifyQuery() override;
    std::string LocalIP() const override;
    std::string LocalHostName() const override;
    void SendCommand2Serv(const std::string& line) override;
    void RunCommandLine(const std::string& line) override;
    void PlaySound(const std::string& file) override;
    void PlayTextFile(const std::string& file, int slot) override;
    bool CheckFileExist(const std::string& path) const override;
    bool IsFetching() const override;
    void FetchFile(const std::string& host, const std::string& path) override;
    void RefreshPict(const std::string& picture) override;
    // Notifier: the desktop's notification; a click on it shows the pane and asks for the frame.
    void Notify(const std::string& pane, const std::string& summary,
                const std::string& body) override;

  signals:
    // A toolbar button that opens a dialog of the main frame was released (2, 3, 4, 6, 7, 9).
    void DialogRequested(int n);
    // The mail indicator asks for the "&Mail" menu at a screen position.
    void MailMenuRequested(const QPoint& globalPos);
    // The connection to the server became encrypted (TLS), or is no longer.
    void SecureChanged(bool secure);
    // The user clicked a notification: its pane is in front, the frame should come up too.
    void FrameWanted();

  private:
    // The roles the dispatcher's handlers, the interpreter and the input lines work through.
    HandlerRoles Roles();
    panes::InputLineRoles InputRoles();
    void Socket1_Connect();
    void Socket1_DataArrival();
    void Socket1_Close();
    void Socket1_Error(int number, const QString& description);
    void Socket1_CertificateRefused(const QString& reason, const QString& fingerprint);
    void ShowSecure(bool secure);
    void CheckForMsg(const std::string& arrival);
    void ToolButs_MouseUp(int n);
    // The user's Connect: a pending reconnection gives way to it.
    void ConnectButtonAction();
    void StartConnecting();
    // The connection ended: it is tried again, the panes waiting, unless the user ended it.
    void ConnectionLost();
    // After a reconnection the channels that kept their panes are joined again.
    void RejoinChannels();
    void SetBoxesEditable(bool editable);
    // The server and port boxes editable, connect and personal info on, disconnect off.
    void ShowDisconnectedControls();
    void QuitServer();
    std::string ServerText() const;
    // The session is over (closed by the server or by the user): controls and panes reset;
    // while a reconnection is pending the panes stay for the channels to come back to.
    void EndSession(bool keepPanes = false);
    void WirePanes();
    void nicklist_DblClick(int slot, const std::string& entry);

    core::Settings& m_settings;
    core::FrameFlags& m_flags;
    const platform::ProgramFolder& m_folder;
    panes::ConversationWindow& m_conversation;
    platform::Socket* m_socket;
    QComboBox* m_serverName;
    QLineEdit* m_serverPort;
    irc::LineFramer m_readTempBuf;
    core::NickPictTable m_nickPicts;
    platform::DesktopNotifier* m_desktopNotifier;
    core::Alerts m_alerts{*this, *this, *this, commands::SteadyMilliseconds};
    commands::CommandInterpreter m_interpreter{CommandRolesOf(Roles())};
    Dispatcher m_dispatcher{Roles()};
    Login m_login;
    QTimer* m_floodCheck;
    // The services, each after what it uses: they go in the reverse order, the ones that reach
    // this window as their host first, while everything they reach is still there. The window
    // is their Qt parent only for the widget tree: as members they are gone before it would
    // delete its children.
    platform::SoundPlayer m_soundPlayer{this};
    media::Sounds m_sounds;
    std::unique_ptr<media::TextPlayback> m_playback;
    mail::MailChecker m_mailChecker;
    pictx::PictureExchange m_pictureExchange;
    std::unique_ptr<NotifyWatch> m_notifyWatch;
    ServerToolbar* m_toolbar;
    Reconnector* m_reconnector;
    panes::ChannelListWindow* m_chanListForm = nullptr;
};

} // namespace korbi::session

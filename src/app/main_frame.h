#pragma once
// The main frame: the MDI window that holds the server window and the conversation window. It
// runs start-up (folders, preferences, title, popup items), lays its windows out on every
// resize, watches whether it is in front to drive its icon, and saves the preferences when it
// closes. It owns the settings and builds the object graph.
#include "app/main_menus.h"
#include "app/tray_icon.h"
#include "core/settings.h"
#include "media/artwork.h"
#include "platform/line_file.h"
#include "platform/program_folder.h"
#include "session/server_window.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QMdiArea;
class QMdiSubWindow;
class QTimer;

namespace korbi::commands {
class AliasPopupEditor;
class AutomationDialog;
} // namespace korbi::commands
namespace korbi::mail {
class MailPrefsDialog;
}
namespace korbi::media {
class PictureFrame;
class PictureManager;
} // namespace korbi::media
namespace korbi::panes {
class ChannelListWindow;
class ConversationWindow;
} // namespace korbi::panes
namespace korbi::session {
class ServerWindow;
}

namespace korbi::core {
struct PrefsReadResult;
}
namespace korbi::prefs {
class AboutBox;
class PeopleDialog;
class PrefsDialog;
class ServerListDialog;
class UserInfoDialog;
} // namespace korbi::prefs

namespace korbi::app {

class FrameTray;
class SplashScreen;

// What start-up and the frame timer ask of the desktop, replaceable so that tests neither block
// on a message box nor depend on which window has the focus.
struct FrameHooks {
    // Shows the start-up failure text; the real program uses a modal message box.
    std::function<void(const QString& text)> ShowStartupError{};
    // True when the frame is the window in front. A dialog of the program in front is not the
    // frame. Unset: asks the application which window is active.
    std::function<bool()> IsForeground{};
    // Told every text the splash window shows, in order.
    std::function<void(const QString& text)> SplashStep{};
    // Asked when the preferences could not be saved at exit, with a text naming the file and
    // the reason: true to try again, false to quit without saving. Unset: a message box with
    // "Retry" and "Quit without saving".
    std::function<bool(const QString& text)> RetryFailedSave{};
    // Called once the frame is up when this start created the preferences file, so that a new
    // user picks a nick before connecting. Unset: opens the "Personnal Info" dialog.
    std::function<void()> WelcomeNewUser{};
    // Ports and periods of the server window's services (tests keep them on 127.0.0.1).
    session::ServerWindowOptions ServerOptions{};
    // Makes the tray icon once start-up succeeded; nullptr for none. Unset: the desktop's
    // system tray, where it has one.
    std::function<std::unique_ptr<TrayIcon>()> MakeTrayIcon{};
};

class MainFrame : public QMainWindow {
    Q_OBJECT
  public:
    // Runs start-up in programFolder. When it fails, StartupFailed() is true, the failure has
    // been shown, and the frame must not be shown: the program ends without saving.
    explicit MainFrame(std::filesystem::path programFolder, FrameHooks hooks = {},
                       QWidget* parent = nullptr);
    ~MainFrame() override;

    bool StartupFailed() const { return m_startupFailed; }
    // What the program ends with: 1 when the user quit without saving the preferences, else 0.
    int ExitStatus() const { return m_exitStatus; }

    core::Settings& settings() { return m_settings; }
    core::FrameFlags& flags() { return m_flags; }
    session::ServerWindow& serverWindow() { return *m_serverWindow; }
    panes::ConversationWindow& conversationWindow() { return *m_conversationWindow; }

    // The menu bar's items and the nick popup menu with Pop1..Pop15.
    const MainMenus& menus() const { return m_menus; }
    // The tray icon; nullptr without one.
    FrameTray* tray() const { return m_tray; }

    media::FrameIcon CurrentFrameIcon() const { return m_frameIcon; }

    // Lays the two windows out again for the frame's present size; nothing while minimised.
    void MDIForm_Resize();
    // The frame timer's tick: notes whether the frame is in front and sets the icon.
    void Timer1_Timer();
    // Starts the icon blink that tells of new text while the frame is in the background; a
    // blink already running goes on undisturbed.
    void StartSparkTimer();
    bool SparkTimerActive() const;
    // One blink step between NoNewIcon and NoticeIcon.
    void SparkTimer_Timer();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void MDIForm_Load();
    bool LoadPreferences();
    void FillServerBoxes(const core::PrefsReadResult& read);
    void PlaceMainWindows();
    void SplashStep(const QString& text);
    void WireMenus();
    void WireServices();
    void WireNickPopups();
    void WireDialogs();
    // A dialog opened from the toolbar keeps the two main windows from input until it closes.
    void OpenFromToolbar(int n);
    void SetMainWindowsEnabled(bool enabled);
    // Shows a window of the program: loads it on first use, raises it when already shown.
    static void ShowWindow(QWidget& window);
    void MDIForm_Unload();
    bool RetryFailedSave(const std::string& failure);
    void SetFrameIcon(media::FrameIcon icon);
    void WireTray();
    // The close button hides the frame in the tray when the user asked for it, except when
    // the program is quitting.
    bool HideToTray();
    std::filesystem::path PrefsPath() const;

    platform::ProgramFolder m_folder;
    FrameHooks m_hooks;
    core::Settings m_settings;
    core::FrameFlags m_flags;
    platform::LineFile m_pictLog; // "pictlog.log", rewritten at every start
    QMdiArea* m_mdiArea;
    panes::ConversationWindow* m_conversationWindow = nullptr;
    session::ServerWindow* m_serverWindow = nullptr;
    QMdiSubWindow* m_serverSub = nullptr;
    QMdiSubWindow* m_conversationSub = nullptr;
    media::PictureFrame* m_pictFrame = nullptr;
    media::PictureManager* m_pictManager = nullptr;
    commands::AliasPopupEditor* m_alPopForm = nullptr;
    mail::MailPrefsDialog* m_mailPrefs = nullptr;
    prefs::UserInfoDialog* m_form3 = nullptr;
    prefs::PrefsDialog* m_prefsForm = nullptr;
    prefs::PeopleDialog* m_form5 = nullptr;
    prefs::ServerListDialog* m_edServList = nullptr;
    prefs::AboutBox* m_aboForm = nullptr;
    commands::AutomationDialog* m_form4 = nullptr;
    panes::ChannelListWindow* m_chanListForm = nullptr;
    std::unique_ptr<SplashScreen> m_splash;
    FrameTray* m_tray = nullptr;
    MainMenus m_menus;
    QTimer* m_timer1;
    QTimer* m_sparkTimer;
    int m_sparkCount = 0;
    media::FrameIcon m_frameIcon = media::FrameIcon::DefaultIcon;
    std::array<QIcon, 3> m_frameIcons; // by FrameIcon, drawn when first shown
    bool m_startupFailed = false;
    bool m_unloaded = false;
    bool m_quitting = false;
    int m_exitStatus = 0;
};

} // namespace korbi::app

#include "app/main_frame.h"

#include "app/frame_tray.h"
#include "app/splash_screen.h"
#include "commands/alias_popup_editor.h"
#include "commands/automation_dialog.h"
#include "commands/popups.h"
#include "core/extra_settings.h"
#include "core/prefs_storage.h"
#include "mail/mail_checker.h"
#include "mail/mail_prefs_dialog.h"
#include "media/artwork_seed.h"
#include "media/picture_manager.h"
#include "panes/channel_list_window.h"
#include "panes/conversation_window.h"
#include "platform/text_encoding.h"
#include "prefs/about_box.h"
#include "prefs/people_dialog.h"
#include "prefs/prefs_dialog.h"
#include "prefs/server_list_dialog.h"
#include "prefs/user_info_dialog.h"
#include "session/server_window.h"
#include "ui/frame_layout.h"
#include "ui/frame_title.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <ctime>

namespace korbi::app {

namespace {

constexpr int kTimer1Interval = 4000;
constexpr int kSparkTimerInterval = 500;
constexpr int kPersonalInfoButton = 2;    // the toolbar button of the "Personnal Info" dialog
constexpr int kServerWindowHeight = 1500; // the inside of the server window, twips

QRect Pixels(const ui::TwipsRect& rect) {
    return {ui::TwipsToPixels(rect.left), ui::TwipsToPixels(rect.top),
            ui::TwipsToPixels(rect.width), ui::TwipsToPixels(rect.height)};
}

std::string NowTimeDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return core::CreatedTimeDate(local);
}

void ShowStartupErrorBox(const QString& text) {
    QMessageBox::critical(nullptr, ui::kFrameTitle, text);
}

} // namespace

MainFrame::MainFrame(std::filesystem::path programFolder, FrameHooks hooks, QWidget* parent)
    : QMainWindow(parent), m_folder(std::move(programFolder)), m_hooks(std::move(hooks)),
      m_mdiArea(new QMdiArea(this)), m_timer1(new QTimer(this)), m_sparkTimer(new QTimer(this)) {
    setObjectName("MDIForm1");
    setWindowTitle(ui::kFrameTitle);
    setCentralWidget(m_mdiArea);
    resize(ui::TwipsToPixels(15600), ui::TwipsToPixels(11400));
    m_menus = BuildMainMenus(*this);
    WireMenus();
    QApplication::instance()->installEventFilter(
        new MenuShortcutGuard(*this, [this](const QObject* widget) {
            return m_conversationWindow != nullptr && m_conversationWindow->IsInputBox(widget);
        }));

    m_timer1->setInterval(kTimer1Interval);
    connect(m_timer1, &QTimer::timeout, this, &MainFrame::Timer1_Timer);
    m_sparkTimer->setInterval(kSparkTimerInterval);
    connect(m_sparkTimer, &QTimer::timeout, this, &MainFrame::SparkTimer_Timer);

    MDIForm_Load();
}

MainFrame::~MainFrame() {
    // The picture log goes before the child windows do.
    if (m_conversationWindow != nullptr) {
        m_conversationWindow->SetPictLog(nullptr);
    }
}

void MainFrame::SplashStep(const QString& text) {
    if (m_hooks.SplashStep) {
        m_hooks.SplashStep(text);
    }
    if (m_splash) {
        m_splash->ShowStep(text);
    }
}

void MainFrame::MDIForm_Load() {
    m_splash = std::make_unique<SplashScreen>();
    m_splash->show();

    for (const char* folder : {"PICTS", "SOUNDS", "LOGS"}) {
        m_folder.MakeDirIfNotExist(folder);
    }
    // The shipped pictures and sounds, where the user has none of that name.
    media::SeedArtwork(m_folder.Root());
    m_flags.LoggedOn = false;

    m_splash->hide();
    m_flags.ShouldJoin = false;
    m_splash->show();
    m_splash->repaint();

    m_pictLog.Open(m_folder.Resolve("pictlog.log"), platform::LineFile::Mode::Replace);
    m_conversationWindow = new panes::ConversationWindow(m_settings, m_flags, m_folder);
    m_conversationWindow->SetPictLog(&m_pictLog);
    m_serverWindow = new session::ServerWindow(m_settings, m_flags, m_folder, *m_conversationWindow,
                                               m_hooks.ServerOptions);
    connect(m_conversationWindow, &panes::ConversationWindow::StartSparkTimer, this,
            &MainFrame::StartSparkTimer);
    WireServices();
    m_serverSub = m_mdiArea->addSubWindow(m_serverWindow, Qt::SubWindow | Qt::WindowTitleHint);
    m_conversationSub =
        m_mdiArea->addSubWindow(m_conversationWindow, Qt::SubWindow | Qt::WindowTitleHint);

    SplashStep("Initialising Variables...");
    const core::Settings provisional = core::ProvisionalSettings();
    m_settings.NickName = provisional.NickName;
    m_settings.RealName = provisional.RealName;
    m_settings.MyUserName = provisional.MyUserName;
    m_settings.HostName = provisional.HostName;

    SplashStep("Placing Main Windows...");
    PlaceMainWindows();
    SplashStep("Ajusting Objects Position...");
    SplashStep("Drawing 3D Effects...");
    m_serverSub->show();
    m_conversationSub->show();

    SplashStep("Loading Preferences...");
    if (!LoadPreferences()) {
        m_splash.reset();
        return;
    }
    setWindowTitle(ui::FrameTitle(m_settings.TitleBarText));
    SetPopupItems(m_menus, m_settings.PopupTable);

    SplashStep("Done Loading KorBi");
    m_splash->hide();
    m_splash.reset();
    WireTray();
    SetFrameIcon(media::FrameIcon::DefaultIcon);
    m_timer1->start();
    if (m_flags.ShouldJoin) {
        // After the frame is shown: the dialog stands in front of it.
        QTimer::singleShot(0, this, [this] {
            if (m_hooks.WelcomeNewUser) {
                m_hooks.WelcomeNewUser();
            } else {
                OpenFromToolbar(kPersonalInfoButton);
            }
        });
    }
}

bool MainFrame::LoadPreferences() {
    m_serverWindow->ServerName()->clear();
    m_serverWindow->ServerPort()->clear();
    const core::PrefsLoad load =
        core::LoadPrefsFile(PrefsPath(), m_settings, NowTimeDate(),
                            [this] { SplashStep("Creating new, empty Prefs File..."); });
    if (!load.read.Ok()) {
        // The file stays as it is: nothing is saved after a failed start.
        m_startupFailed = true;
        // The number alone says nothing about where to look: the file and the cause follow it.
        const std::string cause = load.read.FailureLine > 0
                                      ? PrefsPath().string() + ", " + load.read.Failure
                                      : load.read.Failure;
        const std::string number = core::StartupErrorText(load.read.ErrorNumber);
        qWarning("%s: %s", number.c_str(), cause.c_str());
        const QString text =
            QString::fromStdString(number) + "\n" + QFile::decodeName(cause.c_str());
        if (m_hooks.ShowStartupError) {
            m_hooks.ShowStartupError(text);
        } else {
            ShowStartupErrorBox(text);
        }
        return false;
    }
    m_settings = load.read.settings;
    m_flags.ShouldJoin = load.ShouldJoin;
    FillServerBoxes(load.read);
    return true;
}

void MainFrame::FillServerBoxes(const core::PrefsReadResult& read) {
    QComboBox* ServerName = m_serverWindow->ServerName();
    for (const std::string& entry : read.ServerNameEntries) {
        ServerName->addItem(platform::BytesToScreen(entry));
    }
    m_serverWindow->ServerPort()->setText(platform::BytesToScreen(read.settings.ServPort));
    ServerName->setCurrentIndex(0);
}

std::filesystem::path MainFrame::PrefsPath() const {
    return m_folder.Resolve(core::kPrefsFileName);
}

void MainFrame::PlaceMainWindows() {
    // The server window keeps its height from here on: room for its controls and its border.
    const QMargins border = m_serverSub->contentsMargins();
    m_serverSub->resize(m_serverSub->width(),
                        ui::TwipsToPixels(kServerWindowHeight) + border.top() + border.bottom());
    MDIForm_Resize();
}

void MainFrame::MDIForm_Resize() {
    if (isMinimized() || m_serverSub == nullptr) {
        return;
    }
    ui::FrameSizes sizes;
    sizes.frameWidth = ui::PixelsToTwips(m_mdiArea->width()) + ui::kFrameSideMargin;
    sizes.frameHeight = ui::PixelsToTwips(m_mdiArea->height()) + ui::kFrameTopBottomMargin;
    sizes.serverHeight = ui::PixelsToTwips(m_serverSub->height());
    const QMargins border = m_serverSub->contentsMargins();
    sizes.serverBorderWidth = ui::PixelsToTwips(border.left() + border.right());
    sizes.serverBorderHeight = ui::PixelsToTwips(border.top() + border.bottom());
    const ui::FrameLayout layout = ui::ComputeFrameLayout(sizes);

    m_serverSub->setGeometry(Pixels(layout.serverWindow));
    m_conversationSub->setGeometry(Pixels(layout.conversationWindow));
    const auto place = [this](const char* name, const ui::TwipsPoint& at) {
        if (auto* indicator = m_serverWindow->findChild<QWidget*>(name)) {
            indicator->move(ui::TwipsToPixels(at.left), ui::TwipsToPixels(at.top));
        }
    };
    place("MailNotify", layout.MailNotify);
    place("PicServNotify", layout.PicServNotify);
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        MDIForm_Resize();
    }
}

void MainFrame::Timer1_Timer() {
    const bool inFront =
        m_hooks.IsForeground ? m_hooks.IsForeground() : QApplication::activeWindow() == this;
    if (inFront && !m_flags.IsActive) {
        m_flags.IsActive = true;
        SetFrameIcon(media::FrameIcon::DefaultIcon);
        m_sparkTimer->stop();
    } else if (!inFront && m_flags.IsActive) {
        SetFrameIcon(media::FrameIcon::NoNewIcon);
        m_flags.IsActive = false;
    }
}

void MainFrame::StartSparkTimer() {
    if (!m_sparkTimer->isActive()) {
        m_sparkTimer->start();
    }
}

bool MainFrame::SparkTimerActive() const {
    return m_sparkTimer->isActive();
}

void MainFrame::SparkTimer_Timer() {
    m_sparkCount = (m_sparkCount + 1) % 2;
    SetFrameIcon(m_sparkCount == 0 ? media::FrameIcon::NoNewIcon : media::FrameIcon::NoticeIcon);
}

void MainFrame::SetFrameIcon(media::FrameIcon icon) {
    m_frameIcon = icon;
    // The blink switches icons twice a second: each set is drawn once.
    QIcon& set = m_frameIcons[static_cast<std::size_t>(icon)];
    if (set.isNull()) {
        set = media::FrameIconSet(icon);
    }
    setWindowIcon(set);
    if (m_tray != nullptr) {
        m_tray->ShowState(icon);
    }
}

void MainFrame::WireTray() {
    std::unique_ptr<TrayIcon> icon =
        m_hooks.MakeTrayIcon ? m_hooks.MakeTrayIcon() : MakeSystemTrayIcon();
    if (!icon) {
        return;
    }
    m_tray = new FrameTray(std::move(icon), *this, *m_serverWindow,
                           m_menus.Item(MenuItem::CheckMail), m_menus.Item(MenuItem::Quit));
}

bool MainFrame::HideToTray() {
    // The desktop session ending closes every window: it must not be held up by the tray.
    if (m_tray == nullptr || m_quitting || qApp->isSavingSession() ||
        !m_settings.Extras.Flag(core::kCloseToTray, false)) {
        return false;
    }
    m_tray->HideFrame();
    return true;
}

void MainFrame::WireMenus() {
    connect(m_menus.Item(MenuItem::Quit), &QAction::triggered, this, [this] {
        m_quitting = true;
        if (close()) {
            QCoreApplication::quit();
        }
        m_quitting = false;
    });
    connect(m_menus.Item(MenuItem::DebugMode), &QAction::toggled, this,
            [this](bool checked) { m_flags.DebugMode = checked; });
}

void MainFrame::ShowWindow(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

// The windows and services that live beside the two main windows, and the menu items that
// reach them.
void MainFrame::WireServices() {
    session::ServerWindow& server = *m_serverWindow;
    connect(&server, &session::ServerWindow::SecureChanged, this, [this](bool secure) {
        setWindowTitle(ui::FrameTitle(m_settings.TitleBarText, secure));
    });
    // A click on a desktop notification: the frame comes up, from the tray too.
    connect(&server, &session::ServerWindow::FrameWanted, this, [this] {
        if (m_tray != nullptr) {
            m_tray->ShowFrame();
            return;
        }
        setWindowState(windowState() & ~Qt::WindowMinimized);
        ShowWindow(*this);
    });
    media::VisibleInputLine input;
    input.Text = [this] {
        const QLineEdit* box = m_conversationWindow->InputBox(m_conversationWindow->CurVisible());
        return platform::ScreenToBytes(box->text());
    };
    input.SetTextAndFocus = [this](const std::string& text) {
        QLineEdit* box = m_conversationWindow->InputBox(m_conversationWindow->CurVisible());
        box->setText(platform::BytesToScreen(text));
        box->end(false);
        box->setFocus();
    };
    m_pictFrame = new media::PictureFrame(m_folder, input, m_serverWindow);
    // Docked right of the toolbar row, inside the server window's height.
    m_pictFrame->setGeometry(ui::TwipsToPixels(8400), 2, ui::TwipsToPixels(4200),
                             ui::TwipsToPixels(1440));
    m_pictManager = new media::PictureManager(m_folder, input, *m_pictFrame, this);
    m_pictManager->setWindowFlag(Qt::Window);
    connect(m_menus.Item(MenuItem::PictManager), &QAction::triggered, m_pictManager,
            &media::PictureManager::ShowManager);

    m_alPopForm = new commands::AliasPopupEditor(m_settings, this);
    connect(m_alPopForm, &commands::AliasPopupEditor::TablesStored, this,
            [this] { SetPopupItems(m_menus, m_settings.PopupTable); });
    connect(m_menus.Item(MenuItem::AliasPopups), &QAction::triggered, this, [this] {
        m_alPopForm->Form_Load();
        ShowWindow(*m_alPopForm);
    });

    mail::MailChecker& mailChecker = server.mailChecker();
    QAction* checkMail = m_menus.Item(MenuItem::CheckMail);
    connect(checkMail, &QAction::triggered, &mailChecker, &mail::MailChecker::StartMailCheck);
    connect(&mailChecker, &mail::MailChecker::MenuMail_CheckEnabledChanged, checkMail,
            &QAction::setEnabled);
    m_mailPrefs = new mail::MailPrefsDialog(server, server, this);
    connect(m_menus.Item(MenuItem::MailPrefs), &QAction::triggered, this,
            [this] { ShowWindow(*m_mailPrefs); });
    WireNickPopups();
    WireDialogs();
}

void MainFrame::SetMainWindowsEnabled(bool enabled) {
    m_serverWindow->setEnabled(enabled);
    m_conversationWindow->setEnabled(enabled);
}

// The settings dialogs and the channel list, parented to the frame: a dialog parented to one of
// the two main windows would be disabled with it.
void MainFrame::WireDialogs() {
    session::ServerWindow& server = *m_serverWindow;
    m_form3 = new prefs::UserInfoDialog(server, server, server, this);
    m_prefsForm = new prefs::PrefsDialog(m_settings, this);
    m_form5 = new prefs::PeopleDialog(m_settings, this);
    m_edServList = new prefs::ServerListDialog(*server.ServerName(), this);
    m_aboForm = new prefs::AboutBox(this);
    m_form4 = new commands::AutomationDialog(m_settings, this);
    m_chanListForm = new panes::ChannelListWindow(*m_conversationWindow, server, this);
    m_chanListForm->setWindowFlag(Qt::Window);
    server.SetChanListForm(m_chanListForm);

    for (QDialog* dialog : std::initializer_list<QDialog*>{m_form3, m_prefsForm, m_form5,
                                                           m_edServList, m_form4, m_alPopForm}) {
        connect(dialog, &QDialog::finished, this, [this] { SetMainWindowsEnabled(true); });
    }
    // A title typed while connected over TLS keeps the mark of the secure connection.
    connect(m_prefsForm, &prefs::PrefsDialog::TitleChanged, this, [this](const QString& title) {
        setWindowTitle(m_flags.Secure ? title + ui::kSecureMark : title);
    });
    connect(&server, &session::ServerWindow::DialogRequested, this, &MainFrame::OpenFromToolbar);
    connect(&server, &session::ServerWindow::MailMenuRequested, this,
            [this](const QPoint& at) { m_menus.Mail->popup(at); });

    connect(m_menus.Item(MenuItem::Setup), &QAction::triggered, m_form3, &ui::FormDialog::Open);
    connect(m_menus.Item(MenuItem::MiscPrefs), &QAction::triggered, m_prefsForm,
            &ui::FormDialog::Open);
    connect(m_menus.Item(MenuItem::People), &QAction::triggered, m_form5, &ui::FormDialog::Open);
    connect(m_menus.Item(MenuItem::Automation), &QAction::triggered, m_form4,
            &ui::FormDialog::Open);
    connect(m_menus.Item(MenuItem::About), &QAction::triggered, m_aboForm, &ui::FormDialog::Open);
    connect(m_menus.Item(MenuItem::ChannelList), &QAction::triggered, m_chanListForm,
            &panes::ChannelListWindow::Open);
}

void MainFrame::OpenFromToolbar(int n) {
    ui::FormDialog* dialogs[] = {nullptr, nullptr,      m_form3, m_form4, m_form5,
                                 nullptr, m_edServList, nullptr, nullptr, m_prefsForm};
    if (n == 7) {
        SetMainWindowsEnabled(false);
        m_alPopForm->Form_Load();
        ShowWindow(*m_alPopForm);
        return;
    }
    if (n < 0 || n > 9 || dialogs[n] == nullptr) {
        return;
    }
    SetMainWindowsEnabled(false);
    dialogs[n]->Open();
}

// A right click on a nick list pops up the user's popups; they act on the selected nicks of
// the visible pane.
void MainFrame::WireNickPopups() {
    session::ServerWindow& server = *m_serverWindow;
    connect(m_conversationWindow, &panes::ConversationWindow::NickMenuRequested, this,
            [this](const QPoint& at) { m_menus.MenuPops->popup(at); });
    connect(m_menus.MenuWhois, &QAction::triggered, this, [this, &server] {
        commands::MenuWhois_Click(*m_conversationWindow, *m_conversationWindow, server);
    });
    connect(m_menus.MenuQuery, &QAction::triggered, this, [this, &server] {
        commands::MenuQuery_Click(*m_conversationWindow, *m_conversationWindow, server);
    });
    for (int n = 1; n <= kPopItems; ++n) {
        connect(m_menus.Pop[static_cast<std::size_t>(n - 1)], &QAction::triggered, this,
                [this, &server, n] {
                    commands::RunPopup(*m_conversationWindow, *m_conversationWindow,
                                       m_settings.PopupTable, server.interpreter(), n);
                });
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (HideToTray()) {
        event->ignore();
        return;
    }
    if (!m_startupFailed) {
        MDIForm_Unload();
    }
    event->accept();
}

void MainFrame::MDIForm_Unload() {
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    m_pictLog.Close();
    m_serverWindow->Form_Unload();
    // A failed save keeps the old file; the user decides whether this session's changes may go.
    for (;;) {
        const core::SaveResult saved = core::SavePrefsFile(PrefsPath(), m_settings);
        if (saved.ok) {
            return;
        }
        qWarning("Prefs File.INI not saved: %s", saved.failure.c_str());
        if (!RetryFailedSave(saved.failure)) {
            m_exitStatus = 1;
            return;
        }
    }
}

bool MainFrame::RetryFailedSave(const std::string& failure) {
    const QString text =
        QString("The preferences could not be saved to \"%1\":\n%2\n\nQuitting without saving "
                "loses the changes made since the program started.")
            .arg(QFile::decodeName(QByteArray(PrefsPath().c_str())),
                 platform::BytesToScreen(failure));
    if (m_hooks.RetryFailedSave) {
        return m_hooks.RetryFailedSave(text);
    }
    QMessageBox box(QMessageBox::Critical, ui::kFrameTitle, text, QMessageBox::NoButton, this);
    QPushButton* retry = box.addButton("Retry", QMessageBox::AcceptRole);
    box.addButton("Quit without saving", QMessageBox::DestructiveRole);
    box.setDefaultButton(retry);
    box.exec();
    return box.clickedButton() == retry;
}

} // namespace korbi::app

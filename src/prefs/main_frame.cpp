#include "prefs/main_frame.h"

#include "panes/conversation_window.h"
#include "session/server_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace korbi::prefs {

namespace {
constexpr int kTwipsPerPixel = 15;
int Px(int twips) {
    return twips / kTwipsPerPixel;
}
} // namespace

MainFrame::MainFrame(std::filesystem::path programFolder, QWidget* parent)
    : QMainWindow(parent), m_folder(std::move(programFolder)), m_mdiArea(new QMdiArea(this)) {
    setWindowTitle(kFrameTitle);
    setCentralWidget(m_mdiArea);
    for (const char* folder : {"PICTS", "SOUNDS", "LOGS"}) {
        m_folder.MakeDirIfNotExist(folder);
    }

    m_pictLog.Open(m_folder.Resolve("pictlog.log"), platform::LineFile::Mode::Replace);
    m_conversationWindow = new panes::ConversationWindow(m_settings, m_flags, m_folder);
    m_conversationWindow->SetPictLog(&m_pictLog);
    m_serverWindow = new session::ServerWindow(m_settings, m_flags, *m_conversationWindow);
    connect(m_conversationWindow, &panes::ConversationWindow::SendRequested, m_serverWindow,
            &session::ServerWindow::Send2Serv);
    m_serverSub = m_mdiArea->addSubWindow(m_serverWindow, Qt::SubWindow | Qt::WindowTitleHint);
    m_conversationSub =
        m_mdiArea->addSubWindow(m_conversationWindow, Qt::SubWindow | Qt::WindowTitleHint);

    m_serverWindow->ServerName()->addItem("127.0.0.1");
    m_serverWindow->ServerPort()->setText(QString::fromStdString(m_settings.ServPort));
    resize(Px(12000), Px(9000));
    m_serverSub->show();
    m_conversationSub->show();
    MDIForm_Resize();
}

MainFrame::~MainFrame() {
    // The picture log goes before the child windows do.
    m_conversationWindow->SetPictLog(nullptr);
}

void MainFrame::MDIForm_Resize() {
    if (isMinimized()) {
        return;
    }
    const int width = m_mdiArea->width();
    const int height = m_mdiArea->height();
    const int serverHeight = Px(1500) + (m_serverSub->height() - m_serverWindow->height());
    m_serverSub->setGeometry(0, 0, std::max(1, width - Px(200)), serverHeight);
    m_conversationSub->setGeometry(0, serverHeight, std::max(1, width - Px(200)),
                                   std::max(1, height - serverHeight));
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    m_serverWindow->Form_Unload();
    event->accept();
}

} // namespace korbi::prefs

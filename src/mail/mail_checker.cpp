#include "mail/mail_checker.h"

#include "core/media.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/settings_access.h"
#include "platform/socket.h"
#include "platform/text_values.h"

#include <QApplication>
#include <QTimer>

#include <optional>

namespace korbi::mail {

namespace {

std::optional<media::MailImage> Picture(MailImage icon) {
    switch (icon) {
    case MailImage::UnknownMailImage:
        return media::MailImage::UnknownMailImage;
    case MailImage::CheckMailImage:
        return media::MailImage::CheckMailImage;
    case MailImage::GotMailImage:
        return media::MailImage::GotMailImage;
    case MailImage::NoMailImage:
        return media::MailImage::NoMailImage;
    case MailImage::Unchanged:
        break;
    }
    return std::nullopt;
}

} // namespace

MailChecker::MailChecker(core::PaneOutput& output, const core::PaneRegistry& panes,
                         core::Media& media, core::SettingsAccess& config, int pop3Port,
                         int timeoutMs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_output(output), m_panes(panes), m_media(media),
      m_config(config), m_pop3Port(pop3Port), m_socket(new platform::Socket(this)),
      m_checkTimer(new QTimer(this)) {
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(timeoutMs);
    connect(m_checkTimer, &QTimer::timeout, this, [this] { Apply(MailTimedOut(m_state)); });
    connect(m_socket, &platform::Socket::Connected, this, &MailChecker::Socket1_Connect);
    connect(m_socket, &platform::Socket::DataArrival, this, &MailChecker::Socket1_DataArrival);
    connect(m_socket, &platform::Socket::Closed, this, &MailChecker::Socket1_Close);
    connect(m_socket, &platform::Socket::Error, this, &MailChecker::Socket1_Error);
}

MailChecker::~MailChecker() = default;

void MailChecker::StartMailCheck() {
    EnableMenuMailCheck(false);
    m_checkTimer->stop();
    if (m_socket->State() != platform::Socket::kClosed) {
        m_socket->Close();
    }
    m_replies.Clear();
    m_socket->RemoteHost = platform::TrimBlanks(m_config.settings().MailServer);
    m_socket->RemotePort = m_pop3Port;
    if (m_socket->RemoteHost.empty()) {
        EnableMenuMailCheck(true);
        return;
    }
    m_socket->LocalPort = 0;
    m_socket->Connect();
    m_checkTimer->start();
}

void MailChecker::Socket1_Connect() {
    Apply(MailConnected(m_state));
}

// Replies are taken line by line, so a reply split over two arrivals is still one reply.
void MailChecker::Socket1_DataArrival() {
    const MailAccount account{m_config.settings().UserName, m_config.settings().UserPass};
    for (const std::string& reply : m_replies.Add(m_socket->GetData())) {
        const Pop3Step step = ProcessMSG(m_state, reply, account);
        Apply(step);
        if (step.CloseSocket) {
            return; // whatever followed belongs to a connection that is over
        }
    }
}

void MailChecker::Socket1_Close() {
    m_socket->Close();
    Apply(MailClosed(m_state));
}

void MailChecker::Socket1_Error(int number, const QString& description) {
    Apply(MailError(m_state, number, description.toStdString()));
}

void MailChecker::Apply(const Pop3Step& step) {
    m_state = step.Next;
    if (!step.Send.empty()) {
        m_socket->SendData(step.Send);
    }
    if (step.CloseSocket) {
        m_socket->Close();
        m_socket->RemotePort = 0;
    }
    if (step.PlaySound) {
        const std::string& sound = m_config.settings().Sound2Play;
        if (m_media.CheckFileExist(sound)) {
            m_media.PlaySound(sound);
        } else {
            QApplication::beep();
        }
    }
    const int slot = step.Pane == MailPane::Server ? 0 : m_panes.CurVisible();
    for (const MailLine& line : step.Lines) {
        m_output.Print(slot, line.Style, line.Text);
    }
    if (const auto picture = Picture(step.Icon)) {
        SetMailIcon(*picture);
    }
    if (step.EnableMenuMailCheck) {
        m_checkTimer->stop(); // the check is over
        EnableMenuMailCheck(true);
    }
}

void MailChecker::EnableMenuMailCheck(bool enabled) {
    m_menuMailCheckEnabled = enabled;
    emit MenuMail_CheckEnabledChanged(enabled);
}

void MailChecker::SetMailIcon(media::MailImage image) {
    m_mailIcon = image;
    emit MailIconChanged(image);
}

} // namespace korbi::mail

#pragma once
// The mail checker: counts the messages waiting on the POP3 server and reports new mail in the
// visible pane with a sound. It owns its own socket. It is a window of its own (never drawn
// inside its parent) that stays hidden: what it shows lives in the server window's mail icon
// (MailIconChanged) and in the enabled state of the frame's "&Check for new messages" item
// (MenuMail_CheckEnabledChanged), which is disabled while a check runs.
#include "mail/pop3_dialogue.h"
#include "mail/reply_lines.h"
#include "media/artwork.h"

#include <QWidget>

class QTimer;

namespace korbi::platform {
class Socket;
}
namespace korbi::core {
class PaneOutput;
class PaneRegistry;
class Media;
class SettingsAccess;
} // namespace korbi::core

namespace korbi::mail {

class MailChecker : public QWidget {
    Q_OBJECT
  public:
    // pop3Port: where the POP3 server listens (110; tests use a server of their own).
    // timeoutMs: how long a check may take before it is given up.
    explicit MailChecker(core::PaneOutput& output, const core::PaneRegistry& panes,
                         core::Media& media, core::SettingsAccess& config, int pop3Port = Pop3Port,
                         int timeoutMs = MailTimeoutMs, QWidget* parent = nullptr);
    ~MailChecker() override;

    // Starts one check (menu item, double click on the mail icon, periodic check).
    void StartMailCheck();

    // Whether the frame's item `MenuMail_Check` is enabled: false while a check runs.
    bool MenuMail_CheckEnabled() const { return m_menuMailCheckEnabled; }

    media::MailImage MailIcon() const { return m_mailIcon; }

    int Next2Receive() const { return m_state.Next2Receive; }
    std::int32_t LastMailCount() const { return m_state.LastMailCount; }

  signals:
    void MailIconChanged(korbi::media::MailImage image);
    void MenuMail_CheckEnabledChanged(bool enabled);

  private:
    void Socket1_Connect();
    void Socket1_DataArrival();
    void Socket1_Close();
    void Socket1_Error(int number, const QString& description);
    void Apply(const Pop3Step& step);
    void SetMailIcon(media::MailImage image);
    void EnableMenuMailCheck(bool enabled);

    core::PaneOutput& m_output;
    const core::PaneRegistry& m_panes;
    core::Media& m_media;
    core::SettingsAccess& m_config;
    int m_pop3Port;
    platform::Socket* m_socket;
    QTimer* m_checkTimer;
    bool m_menuMailCheckEnabled = true;
    Pop3State m_state;
    ReplyLines m_replies;
    media::MailImage m_mailIcon = media::MailImage::UnknownMailImage;
};

} // namespace korbi::mail

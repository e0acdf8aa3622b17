#pragma once
// The mail checker: counts the messages waiting on the POP3 server and reports new mail in the
// visible pane with a sound. It owns its own socket and the "&Check for new messages" menu item,
// which stays disabled while a check runs. The window itself stays hidden; what it shows lives
// in the server window's mail icon, which follows MailIconChanged.
#include "mail/pop3_dialogue.h"
#include "mail/reply_lines.h"
#include "media/artwork.h"

#include <QImage>
#include <QWidget>

class QAction;

namespace korbi::platform {
class Socket;
}
namespace korbi::session {
class ClientHost;
}

namespace korbi::mail {

class MailChecker : public QWidget {
    Q_OBJECT
  public:
    // pop3Port: where the POP3 server listens (110; tests use a server of their own).
    explicit MailChecker(session::ClientHost& host, int pop3Port = Pop3Port,
                         QWidget* parent = nullptr);
    ~MailChecker() override;

    // Starts one check (menu item, double click on the mail icon, periodic check).
    void StartMailCheck();

    // The frame's "&Check for new messages" item: it starts a check and is disabled while one
    // runs.
    QAction* MenuMail_Check() const { return m_menuMailCheck; }

    media::MailImage MailIcon() const { return m_mailIcon; }
    QImage MailIconPicture() const { return media::MailPicture(m_mailIcon); }

    int Next2Receive() const { return m_state.Next2Receive; }
    std::int32_t LastMailCount() const { return m_state.LastMailCount; }

  signals:
    void MailIconChanged(korbi::media::MailImage image);

  private:
    void Socket1_Connect();
    void Socket1_DataArrival();
    void Socket1_Close();
    void Socket1_Error(int number, const QString& description);
    void Apply(const Pop3Step& step);
    void SetMailIcon(media::MailImage image);

    session::ClientHost& m_host;
    int m_pop3Port;
    platform::Socket* m_socket;
    QAction* m_menuMailCheck;
    Pop3State m_state;
    ReplyLines m_replies;
    media::MailImage m_mailIcon = media::MailImage::UnknownMailImage;
};

} // namespace korbi::mail

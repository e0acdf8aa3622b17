#pragma once
// The server window's toolbar: ten picture buttons that look flat at rest, raised under the
// mouse, pressed while a mouse button is held and greyed when disabled; the read/write
// indicator that turns as data moves; and the mail and picture-server indicators. The toolbar
// changes pictures only: what a button does is the server window's business, told by
// ButtonAction.
#include "media/artwork.h"

#include <QImage>
#include <QWidget>

#include <array>

namespace korbi::session {

// A picture box: shows one picture and tells of the mouse over it.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

  signals:
    void MouseDown(Qt::MouseButton button);
    void MouseMove();
    void MouseUp(Qt::MouseButton button, const QPoint& globalPos);
    // The second press of a double click is reported by MouseDown too.
    void DblClick();
    void Left();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QImage m_picture;
};

// The toolbar widget is `downer`, the background band behind the row of buttons. Button 6 and
// the three indicators stand elsewhere in the server window, so they are created as children of
// the server window; the toolbar places them and follows the server window's size.
class ServerToolbar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kButtons = media::kToolButtonCount;

    // serverWindow becomes the parent. The toolbar starts as the server window's load leaves it:
    // every button enabled but the disconnect button, the read/write indicator off, mail
    // unknown, picture server idle.
    explicit ServerToolbar(QWidget* serverWindow);
    ~ServerToolbar() override;

    // A button's enabled state with its matching picture. Numbers outside 0 to 9 are ignored.
    void EnableToolBut(int n);
    void DisabToolBut(int n);
    void TogToolBut(int n, int enab);

    // Buttons 0 (connect), 1 (disconnect) and 2 (personal information) at the moments of the
    // connection.
    void LoadedState();       // all enabled, 1 disabled
    void ConnectingState();   // connect clicked: 2 disabled
    void ConnectedState();    // socket connected: 0 disabled, 1 and 2 enabled
    void DisconnectedState(); // disconnect clicked or done: 0 enabled, 1 disabled, 2 enabled
    void NotConnectedState(); // the notify timer found no connection: 0 enabled, 1 disabled

    // Advances the read/write indicator by one frame.
    void RWRotate();
    // The socket connected: the first frame, counting from it again.
    void RWReset();
    // The socket closed: the indicator's disabled picture.
    void RWDisable();

    // The padlock beside the read/write indicator, shown while the connection is encrypted.
    void SetSecure(bool secure);

    void SetMailPicture(media::MailImage image);
    void SetPicServPicture(media::PicServImage image);

    // What the mouse does to the buttons; the controls call these, tests may too.
    void ToolButs_MouseDown(int n);
    void ToolButs_MouseMove(int n);
    void ToolButs_MouseUp(int n);
    void downer_MouseMove();

    bool ToolButEnabled(int n) const;
    // Which of its four pictures button n shows.
    media::ButtonState ShownPicture(int n) const;

  signals:
    // A button was released: the server window runs button n's action.
    void ButtonAction(int n);
    // A double click on the mail indicator: check for mail now.
    void MailCheckRequested();
    // The right mouse button was released over an indicator: pop up its menu at globalPos.
    void MailMenuRequested(const QPoint& globalPos);
    void PicServMenuRequested(const QPoint& globalPos);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Valid(int n) const { return n >= 0 && n < kButtons; }
    void Show(int n, media::ButtonState state);
    void RestLastLiftBut();
    // The mouse left button n for somewhere outside the toolbar: nothing stays raised.
    void ToolButs_Leave(int n);
    void PlaceControls();
    // The window went to a screen of another device pixel ratio: every picture is drawn again
    // for it rather than scaled.
    void FollowPixelRatio();
    void ShowReadWrite();

    qreal m_dpr; // the device pixel ratio the pictures are drawn for
    media::ToolButPicts m_pictures;
    media::SmiFrames m_frames;
    std::array<PictureBox*, kButtons> m_ToolButs{};
    std::array<media::ButtonState, kButtons> m_shown{};
    PictureBox* m_ReadWriteShow;
    PictureBox* m_MailNotify;
    PictureBox* m_PicServNotify;
    PictureBox* m_SecureShow;
    int m_LastLiftBut = 0;
    int m_NoButLifted = 0;
    int m_RotateFrame = 0;
    bool m_RWDisabled = true;
    media::MailImage m_mailImage = media::MailImage::UnknownMailImage;
    media::PicServImage m_picServImage = media::PicServImage::FreePicServ;
};

} // namespace korbi::session

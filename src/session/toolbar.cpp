#include "session/toolbar.h"

#include "ui/frame_layout.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace korbi::session {

namespace {

using media::ButtonState;
using ui::PixelsToTwips;
using ui::TwipsToPixels;

struct ButtonPlace {
    int n;
    int left; // twips
    const char* toolTip;
};

// Left to right as they stand in the row.
constexpr ButtonPlace kRow[] = {
    {0, 240, "Connect to an IRC server"},
    {1, 990, "Disconnect from the current server"},
    {2, 1920, "Set your personnal and client information"},
    {4, 2760, "Set your friends, and ennemies"},
    {9, 3720, "Misc Preferences"},
    {7, 4680, "Set some Aliases and Popups"},
    {3, 5640, "Set Flood Protection and Autoexec Commands"},
    {5, 6480, "Make Scripts"},
    {8, 7440, "Configure DCC"},
};
constexpr int kRowTop = 120;

// Button 6 stands beside the server box.
constexpr int kServerListButton = 6;
constexpr int kServerListLeft = 150;
constexpr int kServerListTop = 855;
constexpr const char* kServerListTip = "Edit Server List";

constexpr int kDownerHeight = 735;       // twips: the row and a margin under it
constexpr int kStatusAreaWidth = 27;     // pixels at the right edge: the read/write indicator
constexpr int kReadWriteTop = 14;        // pixels
constexpr int kMailNotifyRight = 850;    // twips from the server window's inner right edge
constexpr int kPicServNotifyRight = 500; // twips
constexpr int kIndicatorBottom = 350;    // twips from the inner bottom edge

// Buttons that open a dialog; they look flat again while it is open.
bool OpensDialog(int n) {
    return n == 2 || n == 3 || n == 4 || n == 6 || n == 7 || n == 9;
}

QPoint TwipsPlace(int left, int top) {
    return {TwipsToPixels(left), TwipsToPixels(top)};
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void PictureBox::SetPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    // A picture drawn for a high-density screen has more pixels than its size on the screen.
    const QSize size = m_picture.deviceIndependentSize().toSize();
    const QPoint at((width() - size.width()) / 2, (height() - size.height()) / 2);
    painter.drawImage(at, m_picture);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
}

void PictureBox::mouseMoveEvent(QMouseEvent*) {
    emit MouseMove();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(event->button(), event->globalPosition().toPoint());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
    emit DblClick();
}

void PictureBox::leaveEvent(QEvent*) {
    emit Left();
}

ServerToolbar::ServerToolbar(QWidget* serverWindow)
    : QWidget(serverWindow), m_dpr(serverWindow->devicePixelRatioF()),
      m_pictures(media::MakeToolButPicts(m_dpr)), m_frames(media::MakeSmiFrames(m_dpr)),
      m_ReadWriteShow(new PictureBox(serverWindow)), m_MailNotify(new PictureBox(serverWindow)),
      m_PicServNotify(new PictureBox(serverWindow)), m_SecureShow(new PictureBox(serverWindow)) {
    setObjectName("downer");
    setMouseTracking(true);
    setAutoFillBackground(false);

    const auto makeButton = [this](int n, QWidget* parent, QPoint at, const char* toolTip) {
        auto* button = new PictureBox(parent);
        button->setObjectName(QString("ToolButs%1").arg(n));
        button->setGeometry(QRect(at, media::ToolButtonSize(n)));
        button->setToolTip(toolTip);
        connect(button, &PictureBox::MouseDown, this, [this, n] { ToolButs_MouseDown(n); });
        connect(button, &PictureBox::MouseMove, this, [this, n] { ToolButs_MouseMove(n); });
        connect(button, &PictureBox::MouseUp, this, [this, n] { ToolButs_MouseUp(n); });
        connect(button, &PictureBox::Left, this, [this, n] { ToolButs_Leave(n); });
        m_ToolButs[static_cast<std::size_t>(n)] = button;
    };
    for (const ButtonPlace& place : kRow) {
        makeButton(place.n, this, TwipsPlace(place.left, kRowTop), place.toolTip);
    }
    makeButton(kServerListButton, serverWindow, TwipsPlace(kServerListLeft, kServerListTop),
               kServerListTip);

    m_ReadWriteShow->setObjectName("ReadWriteShow");
    m_MailNotify->setObjectName("MailNotify");
    m_PicServNotify->setObjectName("PicServNotify");
    m_SecureShow->setObjectName("SecureShow");
    m_SecureShow->setToolTip("Secure connection (TLS)");
    m_SecureShow->SetPicture(media::SecurePicture(m_dpr));
    m_SecureShow->hide();
    for (PictureBox* indicator : {m_ReadWriteShow, m_MailNotify, m_PicServNotify, m_SecureShow}) {
        indicator->resize(media::kIndicatorSize);
    }
    connect(m_MailNotify, &PictureBox::DblClick, this, &ServerToolbar::MailCheckRequested);
    connect(m_MailNotify, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton button, const QPoint& globalPos) {
                if (button == Qt::RightButton) {
                    emit MailMenuRequested(globalPos);
                }
            });
    connect(m_PicServNotify, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton button, const QPoint& globalPos) {
                if (button == Qt::RightButton) {
                    emit PicServMenuRequested(globalPos);
                }
            });

    LoadedState();
    RWDisable();
    SetMailPicture(media::MailImage::UnknownMailImage);
    SetPicServPicture(media::PicServImage::FreePicServ);

    // Shown with the server window, also when it is already on screen.
    const std::initializer_list<QWidget*> controls{this, m_ReadWriteShow, m_MailNotify,
                                                   m_PicServNotify, m_ToolButs[kServerListButton]};
    for (QWidget* control : controls) {
        control->setVisible(true);
    }
    // The band is background: whatever else the server window shows stands in front of it.
    lower();
    serverWindow->installEventFilter(this);
    PlaceControls();
}

ServerToolbar::~ServerToolbar() {
    // The controls outside the band belong to the server window but live with the toolbar.
    delete m_ToolButs[kServerListButton];
    delete m_ReadWriteShow;
    delete m_MailNotify;
    delete m_PicServNotify;
    delete m_SecureShow;
}

void ServerToolbar::SetSecure(bool secure) {
    m_SecureShow->setVisible(secure);
}

bool ServerToolbar::ToolButEnabled(int n) const {
    return Valid(n) && m_ToolButs[static_cast<std::size_t>(n)]->isEnabled();
}

ButtonState ServerToolbar::ShownPicture(int n) const {
    return Valid(n) ? m_shown[static_cast<std::size_t>(n)] : ButtonState::Disabled;
}

void ServerToolbar::Show(int n, ButtonState state) {
    const auto i = static_cast<std::size_t>(n);
    m_shown[i] = state;
    switch (state) {
    case ButtonState::Flat:
        m_ToolButs[i]->SetPicture(m_pictures.FlatButs[i]);
        break;
    case ButtonState::Lifted:
        m_ToolButs[i]->SetPicture(m_pictures.LiftButs[i]);
        break;
    case ButtonState::Pressed:
        m_ToolButs[i]->SetPicture(m_pictures.PressButs[i]);
        break;
    case ButtonState::Disabled:
        m_ToolButs[i]->SetPicture(m_pictures.DisabButs[i]);
        break;
    }
}

void ServerToolbar::EnableToolBut(int n) {
    TogToolBut(n, 1);
}

void ServerToolbar::DisabToolBut(int n) {
    TogToolBut(n, 0);
}

void ServerToolbar::TogToolBut(int n, int enab) {
    if (!Valid(n)) {
        return;
    }
    m_ToolButs[static_cast<std::size_t>(n)]->setEnabled(enab != 0);
    Show(n, enab != 0 ? ButtonState::Flat : ButtonState::Disabled);
}

void ServerToolbar::LoadedState() {
    for (int n = 0; n < kButtons; ++n) {
        EnableToolBut(n);
    }
    DisabToolBut(1);
}

void ServerToolbar::ConnectingState() {
    DisabToolBut(2);
}

void ServerToolbar::ConnectedState() {
    TogToolBut(0, 0);
    TogToolBut(1, 1);
    TogToolBut(2, 1);
}

void ServerToolbar::DisconnectedState() {
    EnableToolBut(0);
    DisabToolBut(1);
    EnableToolBut(2);
}

void ServerToolbar::NotConnectedState() {
    DisabToolBut(1);
    EnableToolBut(0);
}

void ServerToolbar::RWRotate() {
    m_RotateFrame = (m_RotateFrame + 1) % media::kReadWriteFrameCount;
    m_RWDisabled = false;
    ShowReadWrite();
}

void ServerToolbar::RWReset() {
    m_RotateFrame = 0;
    m_RWDisabled = false;
    ShowReadWrite();
}

void ServerToolbar::RWDisable() {
    m_RWDisabled = true;
    ShowReadWrite();
}

void ServerToolbar::ShowReadWrite() {
    m_ReadWriteShow->SetPicture(m_RWDisabled
                                    ? m_frames.DisabFrame
                                    : m_frames.Rotater[static_cast<std::size_t>(m_RotateFrame)]);
}

void ServerToolbar::SetMailPicture(media::MailImage image) {
    m_mailImage = image;
    m_MailNotify->SetPicture(media::MailPicture(image, m_dpr));
}

void ServerToolbar::SetPicServPicture(media::PicServImage image) {
    m_picServImage = image;
    m_PicServNotify->SetPicture(media::PicServPicture(image, m_dpr));
}

void ServerToolbar::FollowPixelRatio() {
    const qreal dpr = devicePixelRatioF();
    if (qFuzzyCompare(dpr, m_dpr)) {
        return;
    }
    m_dpr = dpr;
    m_pictures = media::MakeToolButPicts(m_dpr);
    m_frames = media::MakeSmiFrames(m_dpr);
    for (int n = 0; n < kButtons; ++n) {
        Show(n, m_shown[static_cast<std::size_t>(n)]);
    }
    ShowReadWrite();
    SetMailPicture(m_mailImage);
    SetPicServPicture(m_picServImage);
    m_SecureShow->SetPicture(media::SecurePicture(m_dpr));
}

void ServerToolbar::RestLastLiftBut() {
    if (Valid(m_LastLiftBut)) {
        Show(m_LastLiftBut,
             ToolButEnabled(m_LastLiftBut) ? ButtonState::Flat : ButtonState::Disabled);
    }
}

void ServerToolbar::ToolButs_MouseDown(int n) {
    if (!ToolButEnabled(n)) {
        return;
    }
    Show(n, ButtonState::Pressed);
}

void ServerToolbar::ToolButs_MouseMove(int n) {
    if (!ToolButEnabled(n) || (n == m_LastLiftBut && m_NoButLifted == 0)) {
        return;
    }
    m_NoButLifted = 0;
    RestLastLiftBut();
    m_LastLiftBut = n;
    Show(n, ButtonState::Lifted);
}

void ServerToolbar::downer_MouseMove() {
    m_NoButLifted = 1;
    RestLastLiftBut();
}

void ServerToolbar::ToolButs_Leave(int n) {
    // While a mouse button is held the pressed button keeps the mouse, whatever it is over.
    if (QApplication::mouseButtons() != Qt::NoButton) {
        return;
    }
    if (n == m_LastLiftBut) {
        downer_MouseMove();
    } else if (ShownPicture(n) == ButtonState::Lifted) {
        Show(n, ButtonState::Flat);
    }
}

void ServerToolbar::ToolButs_MouseUp(int n) {
    if (!ToolButEnabled(n)) {
        return;
    }
    Show(n, ButtonState::Lifted);
    if (OpensDialog(n)) {
        Show(n, ButtonState::Flat);
    }
    emit ButtonAction(n);
}

void ServerToolbar::mouseMoveEvent(QMouseEvent*) {
    downer_MouseMove();
}

// Every control of the toolbar is told when the window changes screens; a paint catches a
// screen whose own ratio changed.
bool ServerToolbar::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) {
        FollowPixelRatio();
    }
    return QWidget::event(event);
}

void ServerToolbar::paintEvent(QPaintEvent*) {
    FollowPixelRatio();
    // A band in the window colour, etched off from the server box below.
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, height() - 2, width() - 1, height() - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

void ServerToolbar::PlaceControls() {
    const QWidget* window = parentWidget();
    const int width = window->width();
    const int height = window->height();
    setGeometry(0, 0, std::max(0, width - kStatusAreaWidth), TwipsToPixels(kDownerHeight));
    const int status = width - kStatusAreaWidth;
    m_ReadWriteShow->move(status + (kStatusAreaWidth - m_ReadWriteShow->width()) / 2,
                          kReadWriteTop);
    m_SecureShow->move(m_ReadWriteShow->x(), m_ReadWriteShow->geometry().bottom() + 4);
    // The same places the main frame gives the indicators whenever it lays its windows out.
    const int top = TwipsToPixels(PixelsToTwips(height) - kIndicatorBottom);
    m_MailNotify->move(TwipsToPixels(PixelsToTwips(width) - kMailNotifyRight), top);
    m_PicServNotify->move(TwipsToPixels(PixelsToTwips(width) - kPicServNotifyRight), top);
}

bool ServerToolbar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        PlaceControls();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korbi::session

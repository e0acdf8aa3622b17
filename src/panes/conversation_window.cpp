#include "panes/conversation_window.h"

#include "irc/formatting_codes.h"
#include "panes/input_line.h"
#include "panes/text_view.h"
#include "platform/text_encoding.h"
#include "ui/error_window.h"
#include "ui/frame_layout.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace korbi::panes {

namespace {

using ui::TwipsToPixels;

constexpr int kLayoutBatch = 1000;

} // namespace

ConversationWindow::ConversationWindow(const core::Settings& settings, core::FrameFlags& flags,
                                       const platform::ProgramFolder& folder, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_flags(flags), m_folder(folder), m_pictures(folder),
      m_errorWindow(new ui::ErrorWindow(this)), m_pasteTimer(new QTimer(this)) {
    setWindowTitle("Text Window");
    m_pasteTimer->setSingleShot(true);
    connect(m_pasteTimer, &QTimer::timeout, this, &ConversationWindow::PasteTimer_Timer);
    m_pasteClock.start();
    m_metrics.UseFont(m_settings.Font2Use);
    Form_Load();
}

ConversationWindow::~ConversationWindow() {
    for (int slot = 0; slot < kPaneCount; ++slot) {
        CloseLogLines(slot, false);
    }
}

const Pane& ConversationWindow::PaneAt(int slot) const {
    return m_panes.at(static_cast<std::size_t>(slot));
}

Pane& ConversationWindow::PaneAt(int slot) {
    return m_panes.at(static_cast<std::size_t>(slot));
}

void ConversationWindow::BuildPane(int slot) {
    Pane& pane = PaneAt(slot);
    pane.TextViewWin = new TextView(pane.Lines, m_metrics, m_pictures, this);
    pane.TopicBar = new QLabel(this);
    pane.InputBox = new InputLine(this);
    pane.InputBox->setFont(QFont("Arial", 8));
    pane.NickList = new QListWidget(this);
    pane.NickList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The server pane's list keeps the channels in the order the server gives them.
    pane.NickList->setSortingEnabled(slot > 0);
    // A channel listing puts thousands of entries into the server pane's list while they
    // arrive: one height for all spares measuring each, and the list is laid out a thousand
    // entries at a time between other work rather than whole after every arrival.
    pane.NickList->setUniformItemSizes(true);
    pane.NickList->setLayoutMode(QListView::Batched);
    pane.NickList->setBatchSize(kLayoutBatch);
    pane.SwitchBut = new QPushButton(this);
    pane.CloseWinBut = new QPushButton("x", this);
    pane.CloseWinBut->setToolTip("Close this window");
    for (QWidget** line : {&pane.Line1, &pane.Line2}) {
        *line = new QWidget(this);
        (*line)->setAutoFillBackground(true);
    }
    const QString name = QString("Pane%1").arg(slot);
    pane.TextViewWin->setObjectName(name + "TextViewWin");
    pane.InputBox->setObjectName(name + "InputBox");
    pane.NickList->setObjectName(name + "NickList");
    pane.SwitchBut->setObjectName(name + "SwitchBut");
    pane.CloseWinBut->setObjectName(name + "CloseWinBut");
    pane.TopicBar->setObjectName(name + "TopicBar");
    pane.Line1->setObjectName(name + "Line1");
    pane.Line2->setObjectName(name + "Line2");
    connect(pane.SwitchBut, &QPushButton::clicked, this, [this, slot] { SwitchBut_Click(slot); });
    connect(pane.CloseWinBut, &QPushButton::clicked, this,
            [this, slot] { CloseWinBut_Click(slot); });
    pane.TextViewWin->SetLookProvider([this] { return ReadLook(); });
    pane.TextViewWin->WatchKeysOf(pane.InputBox);
    connect(pane.TextViewWin, &TextView::ChannelActivated, this,
            &ConversationWindow::ChannelActivated);
    WirePaneInput(slot);
}

// The widgets stay in their slot when conversations move down: the slot is theirs for good.
void ConversationWindow::WirePaneInput(int slot) {
    const Pane& pane = PaneAt(slot);
    connect(pane.InputBox, &InputLine::LineEntered, this,
            [this, slot](const std::string& text) { emit LineEntered(slot, text); });
    connect(pane.InputBox, &InputLine::MultiLinePasted, this,
            [this, slot](const std::vector<std::string>& lines) { AskPaste(slot, lines); });
    connect(pane.InputBox, &InputLine::EscapePressed, this, [this, slot] { CancelPaste(slot); });
    pane.InputBox->SetCompletionProvider([this, slot] { return CompletionFor(slot); });
    pane.InputBox->SetRawLineWalk(slot == 0);
    connect(
        pane.TextViewWin, &TextView::FilesDropped, this,
        [this, slot](const std::vector<std::string>& files) { emit FilesDropped(slot, files); });
    connect(pane.NickList, &QListWidget::itemDoubleClicked, this, [this, slot] {
        const QListWidgetItem* item = PaneAt(slot).NickList->currentItem();
        emit NickActivated(slot, item ? platform::ScreenToBytes(item->text()) : std::string());
    });
    pane.NickList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane.NickList, &QListWidget::customContextMenuRequested, this,
            [this, slot](const QPoint& at) {
                emit NickMenuRequested(PaneAt(slot).NickList->mapToGlobal(at));
            });
}

QLineEdit* ConversationWindow::InputBox(int slot) const {
    return PaneAt(slot).InputBox;
}

void ConversationWindow::Form_Load() {
    m_curVisible = 0;
    m_ancVisible = 0;
    m_nextChan = 1;
    for (int slot = 0; slot < kPaneCount; ++slot) {
        BuildPane(slot);
    }
    const QColor face = palette().color(QPalette::Button);
    Pane& server = PaneAt(0);
    server.WinName = "";
    server.SwitchBut->setText("Server");
    SetTopicBar(0, "Not Connected to a server");
    server.CloseWinBut->setEnabled(false);
    SetLineColours(0, QColor(255, 255, 248), QColor(224, 224, 218));
    for (int slot = 1; slot <= MaxWins; ++slot) {
        Pane& pane = PaneAt(slot);
        pane.WinName = "raw";
        pane.SwitchBut->setEnabled(false);
        pane.NickList->setEnabled(false);
        HideSlotControls(slot);
        for (QWidget* control :
             {static_cast<QWidget*>(pane.TextViewWin), static_cast<QWidget*>(pane.InputBox),
              static_cast<QWidget*>(pane.NickList), static_cast<QWidget*>(pane.CloseWinBut)}) {
            control->hide();
        }
        SetLineColours(slot, face, face);
    }
    LayoutSlots();
}

void ConversationWindow::HideSlotControls(int slot) {
    Pane& pane = PaneAt(slot);
    pane.SwitchBut->hide();
    pane.Line1->hide();
    pane.Line2->hide();
    pane.TopicBar->hide();
}

void ConversationWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutSlots();
}

void ConversationWindow::LayoutSlots() {
    const int width = this->width();
    const int height = this->height();
    const int viewWidth = std::max(1, width - TwipsToPixels(1500) - 2);
    const int viewHeight = std::max(1, height - TwipsToPixels(950));
    const int switchTop = height - TwipsToPixels(380);
    for (int slot = 0; slot < kPaneCount; ++slot) {
        Pane& pane = PaneAt(slot);
        pane.CloseWinBut->setGeometry(width - TwipsToPixels(300), 0, TwipsToPixels(285),
                                      TwipsToPixels(285));
        pane.NickList->setGeometry(width - TwipsToPixels(1500), TwipsToPixels(330),
                                   TwipsToPixels(1500) - 2,
                                   std::max(1, height - TwipsToPixels(1900)));
        pane.TextViewWin->setGeometry(0, 0, viewWidth, viewHeight);
        // The topic bar runs along the text view, in the strip above the input line.
        pane.TopicBar->setGeometry(2, viewHeight, viewWidth - 2,
                                   TwipsToPixels(950) - TwipsToPixels(725));
        pane.InputBox->setGeometry(0, height - TwipsToPixels(725),
                                   std::max(1, width - TwipsToPixels(10)), TwipsToPixels(300));
    }
    Pane& server = PaneAt(0);
    server.SwitchBut->setGeometry(0, switchTop, TwipsToPixels(855), TwipsToPixels(330));
    PlaceLines(0);
    for (int slot = 1; slot <= MaxWins; ++slot) {
        const QRect place = PaneAt(slot).SwitchBut->geometry();
        PaneAt(slot).SwitchBut->setGeometry(place.x(), switchTop, place.width(),
                                            TwipsToPixels(330));
        PlaceLines(slot);
    }
    TileSwitchButs();
}

void ConversationWindow::PlaceLines(int slot) {
    Pane& pane = PaneAt(slot);
    const QRect button = pane.SwitchBut->geometry();
    pane.Line1->setGeometry(button.x(), button.y() - 2, button.width(), 2);
    pane.Line2->setGeometry(button.x(), button.y() + button.height(), button.width(), 2);
}

void ConversationWindow::SetLineColours(int slot, const QColor& line1, const QColor& line2) {
    Pane& pane = PaneAt(slot);
    if (pane.Line1Colour == line1 && pane.Line2Colour == line2) {
        return;
    }
    pane.Line1Colour = line1;
    pane.Line2Colour = line2;
    for (const auto& [line, colour] :
         {std::pair{pane.Line1, line1}, std::pair{pane.Line2, line2}}) {
        QPalette colours = line->palette();
        colours.setColor(QPalette::Window, colour);
        line->setPalette(colours);
    }
}

void ConversationWindow::MarkUnread(int slot, bool highlight) {
    static const QColor kUnreadLine1(255, 96, 96);
    static const QColor kUnreadLine2(224, 64, 64);
    static const QColor kHighlightLine1(255, 200, 0);
    static const QColor kHighlightLine2(230, 150, 0);
    if (highlight) {
        SetLineColours(slot, kHighlightLine1, kHighlightLine2);
    } else if (PaneAt(slot).Line1Colour != kHighlightLine1) {
        SetLineColours(slot, kUnreadLine1, kUnreadLine2);
    }
}

std::string ConversationWindow::TopicBar(int slot) const {
    return ValidSlot(slot) ? PaneAt(slot).TopicText : std::string();
}

void ConversationWindow::SetTopicBar(int slot, const std::string& caption) {
    if (!ValidSlot(slot)) {
        return;
    }
    Pane& pane = PaneAt(slot);
    pane.TopicText = caption;
    // A label cannot show the formatting codes a topic may carry.
    pane.TopicBar->setText(platform::BytesToScreen(irc::StripCodes(caption)));
}

} // namespace korbi::panes

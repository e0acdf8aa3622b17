#include "panes/channel_list_window.h"

#include "core/pane_registry.h"
#include "core/server_link.h"
#include "irc/message_parsing.h"
#include "ui/dialog_fields.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace korbi::panes {

namespace {

constexpr int kConnected = 7;
constexpr int kLayoutBatch = 1000;
// Where the columns of a row start, in characters.
constexpr int kColumnStarts[] = {0, static_cast<int>(irc::kUsersColumn),
                                 static_cast<int>(irc::kTopicColumn)};
constexpr const char* kHeadings[] = {"Channel Name", "Users", "Topic"};

// The desktop's own fixed-pitch font: a named one ("Courier New") may resolve to a font whose
// glyphs differ in width, and the columns would no longer line up.
QFont ListFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    return font;
}

} // namespace

ChannelListWindow::ChannelListWindow(core::PaneRegistry& panes, core::ServerLink& link,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_panes(panes), m_link(link),
      m_frame(new QGroupBox("Channels List", this)), m_List1(new QListWidget(m_frame)),
      m_Label1(new QLabel("Double Click a channel to join it.", this)),
      m_Command1(new QPushButton("Fetch List", this)) {
    setObjectName("ChanListForm");
    setWindowTitle("Channel List");
    m_frame->setObjectName("Frame");
    m_List1->setObjectName("List1");
    m_List1->setFont(ListFont());
    m_Label1->setObjectName("Label1");
    m_Command1->setObjectName("Command1");

    // A hundred thousand rows may arrive: one height for all spares measuring each, and the
    // list is laid out a thousand rows at a time between other work rather than whole after
    // every arrival.
    m_List1->setUniformItemSizes(true);
    m_List1->setLayoutMode(QListView::Batched);
    m_List1->setBatchSize(kLayoutBatch);

    // The headings stand above the columns, in the rows' fixed-pitch font: where the list
    // starts a row's text, then so many characters in.
    auto* headings = new QWidget(m_frame);
    const QFontMetrics metrics(m_List1->font());
    const int textStart = m_List1->frameWidth() +
                          style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_List1) + 1;
    int tallest = 0;
    for (int column = 0; column < 3; ++column) {
        m_headings[column] = new QLabel(kHeadings[column], headings);
        m_headings[column]->setObjectName(QString("Heading%1").arg(column));
        m_headings[column]->setFont(m_List1->font());
        m_headings[column]->setContentsMargins(0, 0, 0, 0);
        m_headings[column]->move(
            textStart + metrics.horizontalAdvance(QString(kColumnStarts[column], 'x')), 0);
        m_headings[column]->adjustSize();
        tallest = std::max(tallest, m_headings[column]->height());
    }
    headings->setFixedHeight(tallest);

    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(headings);
    frameLayout->addWidget(m_List1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_Label1, 1);
    bottom->addWidget(m_Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame, 1);
    layout->addLayout(bottom);
    resize(metrics.horizontalAdvance(QString(70, 'x')) + 40, 360);

    connect(m_Command1, &QPushButton::clicked, this, &ChannelListWindow::Command1_Click);
    connect(m_List1, &QListWidget::itemDoubleClicked, this, &ChannelListWindow::List1_DblClick);
    Form_Load();
}

void ChannelListWindow::Open() {
    show();
    raise();
    activateWindow();
}

void ChannelListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A connection made while the window was closed counts from the moment it is shown again.
    if (!event->spontaneous()) {
        Form_Load();
    }
}

void ChannelListWindow::closeEvent(QCloseEvent* event) {
    // Closing unloads the window: it opens again empty.
    m_List1->clear();
    QWidget::closeEvent(event);
}

void ChannelListWindow::Form_Load() {
    const bool connected = m_link.SocketState() == kConnected;
    m_Command1->setEnabled(connected);
    m_Label1->setVisible(connected);
    m_List1->setEnabled(connected);
}

void ChannelListWindow::Command1_Click() {
    m_link.Send2Serv(kListRequest);
}

void ChannelListWindow::List1_DblClick() {
    const QListWidgetItem* item = m_List1->currentItem();
    if (item == nullptr) {
        return;
    }
    // The row may show the name shortened; the join takes the whole name.
    const std::string chan = ui::ItemBytes(*item);
    if (chan.empty()) {
        return;
    }
    if (const int slot = m_panes.FindChanWin(chan); slot > 0) {
        m_panes.MakeVisible(slot);
        return;
    }
    m_link.Send2Serv("JOIN " + chan);
}

void ChannelListWindow::ClearChanList() {
    m_List1->clear();
}

void ChannelListWindow::AddChanListEntry(const irc::ChanListRow& row) {
    auto* item = new QListWidgetItem(
        QString::fromUtf8(row.text.data(), static_cast<qsizetype>(row.text.size())));
    item->setData(Qt::UserRole, QByteArray::fromStdString(row.chan));
    m_List1->addItem(item);
}

} // namespace korbi::panes

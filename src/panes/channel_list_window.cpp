#include "panes/channel_list_window.h"

#include "prefs/dialog_fields.h"
#include "session/client_host.h"
#include "session/message_parsing.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace korbi::panes {

namespace {

constexpr int kConnected = 7;
// Where the columns of an entry start, in characters: the channel name is padded to 20, the
// user count to 5, then the topic.
constexpr int kColumnStarts[] = {0, 20, 25};
constexpr const char* kHeadings[] = {"Channel Name", "Users", "Topic"};

QFont ListFont() {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

} // namespace

ChannelListWindow::ChannelListWindow(session::ClientHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(host), m_frame(new QGroupBox("Channels List", this)),
      m_List1(new QListWidget(m_frame)),
      m_Label1(new QLabel("Double Click a channel to join it.", this)),
      m_Command1(new QPushButton("Fetch List", this)) {
    setObjectName("ChanListForm");
    setWindowTitle("Channel List");
    m_List1->setObjectName("List1");
    m_List1->setFont(ListFont());
    m_Label1->setObjectName("Label1");
    m_Command1->setObjectName("Command1");

    // The headings stand above the columns of the fixed-pitch entries.
    auto* headings = new QWidget(m_frame);
    const QFontMetrics metrics(m_List1->font());
    const int inset = m_List1->frameWidth() + 2;
    int widest = 0;
    for (int column = 0; column < 3; ++column) {
        m_headings[column] = new QLabel(kHeadings[column], headings);
        m_headings[column]->move(
            inset + metrics.horizontalAdvance(QString(kColumnStarts[column], 'x')), 0);
        m_headings[column]->adjustSize();
        widest = std::max(widest, m_headings[column]->height());
    }
    headings->setFixedHeight(widest);

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
    const bool connected = m_host.SocketState() == kConnected;
    m_Command1->setEnabled(connected);
    m_Label1->setVisible(connected);
    m_List1->setEnabled(connected);
}

void ChannelListWindow::Command1_Click() {
    m_host.Send2Serv(kListRequest);
}

void ChannelListWindow::List1_DblClick() {
    const QListWidgetItem* item = m_List1->currentItem();
    if (item == nullptr) {
        return;
    }
    const std::string chan = session::GetWord(1, prefs::ItemBytes(*item));
    if (chan.empty()) {
        return;
    }
    if (const int slot = m_host.FindChanWin(chan); slot > 0) {
        m_host.MakeVisible(slot);
        return;
    }
    m_host.Send2Serv("JOIN " + chan);
}

void ChannelListWindow::ClearChanList() {
    m_List1->clear();
}

void ChannelListWindow::AddChanListEntry(const std::string& entry) {
    m_List1->addItem(prefs::MakeByteItem(entry));
}

} // namespace korbi::panes

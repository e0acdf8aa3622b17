#pragma once
// ChanListForm, "Channel List": asks the server for its busier channels and joins the one the
// user double-clicks. The server's list replies fill it through ClearChanList and
// AddChanListEntry, also while it is hidden.
#include "irc/channel_list_row.h"

#include <QWidget>

#include <string>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace korbi::core {
class PaneRegistry;
class ServerLink;
} // namespace korbi::core

namespace korbi::panes {

inline constexpr const char* kListRequest = "LIST >15";

class ChannelListWindow : public QWidget {
    Q_OBJECT
  public:
    // panes and link must outlive the window: a double click joins or brings forward.
    ChannelListWindow(core::PaneRegistry& panes, core::ServerLink& link, QWidget* parent = nullptr);

    // Shows the window in front; its controls follow the connection state of this moment.
    void Open();

    // The controls by the connection: usable while connected only.
    void Form_Load();
    void Command1_Click();
    // Joins the channel of the current entry, or shows its pane when it has one.
    void List1_DblClick();

    void ClearChanList();
    void AddChanListEntry(const irc::ChanListRow& row);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    core::PaneRegistry& m_panes;
    core::ServerLink& m_link;
    QGroupBox* m_frame;
    QLabel* m_headings[3];
    QListWidget* m_List1;
    QLabel* m_Label1;
    QPushButton* m_Command1;
};

} // namespace korbi::panes

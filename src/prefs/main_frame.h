#pragma once
// The main frame: the MDI window that holds the server window and the conversation window,
// owns the settings and builds the object graph.
#include "platform/line_file.h"
#include "platform/program_folder.h"
#include "prefs/settings.h"

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;

namespace korbi::panes {
class ConversationWindow;
}
namespace korbi::session {
class ServerWindow;
}

namespace korbi::prefs {

inline constexpr const char* kFrameTitle = "KorBi iRC Client 1.0B4";

class MainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainFrame(std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~MainFrame() override;

    Settings& settings() { return m_settings; }
    FrameFlags& flags() { return m_flags; }
    const platform::ProgramFolder& folder() const { return m_folder; }
    session::ServerWindow& serverWindow() { return *m_serverWindow; }
    panes::ConversationWindow& conversationWindow() { return *m_conversationWindow; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void MDIForm_Resize();

    platform::ProgramFolder m_folder;
    Settings m_settings;
    FrameFlags m_flags;
    platform::LineFile m_pictLog; // "pictlog.log", rewritten at every start
    QMdiArea* m_mdiArea;
    panes::ConversationWindow* m_conversationWindow;
    session::ServerWindow* m_serverWindow;
    QMdiSubWindow* m_serverSub = nullptr;
    QMdiSubWindow* m_conversationSub = nullptr;
};

} // namespace korbi::prefs

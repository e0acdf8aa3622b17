#include "panes/conversation_window.h"

#include "platform/text_encoding.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace korbi::panes {

ConversationWindow::ConversationWindow(const prefs::Settings& settings, prefs::FrameFlags& flags,
                                       const platform::ProgramFolder& folder, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_flags(flags), m_folder(folder),
      m_serverView(new QPlainTextEdit(this)) {
    setWindowTitle("Text Window");
    m_serverView->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_serverView);
}

void ConversationWindow::PrintCoul(int slot, const std::string& picture, int red, int green,
                                   int blue, const std::string& text) {
    (void)picture;
    (void)red;
    (void)green;
    (void)blue;
    if (slot != 0) {
        return;
    }
    m_serverView->appendPlainText(platform::BytesToScreen(text));
}

void ConversationWindow::PartAllChan() {
    m_nextChan = 1;
    m_curVisible = 0;
}

QString ConversationWindow::PaneText(int slot) const {
    return slot == 0 ? m_serverView->toPlainText() : QString();
}

} // namespace korbi::panes

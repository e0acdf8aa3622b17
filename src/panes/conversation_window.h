#pragma once
// The conversation window: the panes in which every line the user sees is printed.
#include "platform/program_folder.h"
#include "prefs/settings.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace korbi::panes {

class ConversationWindow : public QWidget {
    Q_OBJECT
  public:
    ConversationWindow(const prefs::Settings& settings, prefs::FrameFlags& flags,
                       const platform::ProgramFolder& folder, QWidget* parent = nullptr);

    // The only way text reaches a pane: slot, picture name ("" for none), colour, text.
    void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                   const std::string& text);

    // Frees every channel and private pane and shows the server pane.
    void PartAllChan();

    int NextChan() const { return m_nextChan; }
    int CurVisible() const { return m_curVisible; }

    // Plain text of the lines printed into a pane, for inspection.
    QString PaneText(int slot) const;

  private:
    const prefs::Settings& m_settings;
    prefs::FrameFlags& m_flags;
    const platform::ProgramFolder& m_folder;
    QPlainTextEdit* m_serverView;
    int m_nextChan = 1;
    int m_curVisible = 0;
};

} // namespace korbi::panes

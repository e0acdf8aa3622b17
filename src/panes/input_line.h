#pragma once
// The input line of a pane: a line edit that keeps the formatting keys and Enter for itself
// (InputBox_KeyPress) and tells of each line the user enters. Tab completes nicks, Up and Down
// bring back the lines entered before, and a paste of several lines is handed on rather than
// squeezed into one line.
#include "panes/input_history.h"
#include "panes/nick_completion.h"

#include <QClipboard>
#include <QLineEdit>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QKeyEvent;

namespace korbi::panes {

class InputLine : public QLineEdit {
    Q_OBJECT
  public:
    // What Tab may complete to; nullopt while completion is off.
    using CompletionProvider = std::function<std::optional<CompletionSource>()>;

    using QLineEdit::QLineEdit;

    void SetCompletionProvider(CompletionProvider provider) { m_completion = std::move(provider); }
    // In the server pane Ctrl+Up and Ctrl+Down walk the raw protocol lines alone.
    void SetRawLineWalk(bool on) { m_rawLineWalk = on; }
    // The conversation of other moved into this line's slot: its text and history come along.
    void TakeOver(InputLine& other);
    // The conversation is gone: its text, history and completion go with it.
    void Forget();

  signals:
    // Enter was pressed with text (bytes) in the line; the line is emptied once the receivers
    // have returned.
    void LineEntered(const std::string& text);
    // A paste (or drop) brought more than one line; the line's own text is left as it was.
    void MultiLinePasted(const std::vector<std::string>& lines);
    void EscapePressed();

  protected:
    // Keys are taken before the line edit sees them: Tab would otherwise move the focus and
    // Ctrl+K delete to the end of the line.
    bool event(QEvent* event) override;
    // The line edit's paste paths insert line breaks as they come; these take them first.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool InputKeyPress(const QKeyEvent& event);
    bool CompleteNick();
    bool WalkHistory(bool older, bool rawOnly);
    bool TakePaste(const QString& text);
    bool TakePaste(QClipboard::Mode mode);
    std::string Bytes() const;
    // The text and caret as bytes; Show puts such a line back.
    InputLineText Current() const;
    void Show(const InputLineText& line);

    CompletionProvider m_completion;
    NickCompleter m_completer;
    InputHistory m_history;
    bool m_rawLineWalk = false;
};

} // namespace korbi::panes

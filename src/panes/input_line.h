#pragma once
// The input line of a pane: a line edit that keeps the formatting keys and Enter for itself
// (InputBox_KeyPress) and tells of each line the user enters.
#include <QLineEdit>

#include <string>

class QKeyEvent;

namespace korbi::panes {

class InputLine : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    // Enter was pressed with text (bytes) in the line; the line is emptied once the receivers
    // have returned.
    void LineEntered(const std::string& text);

  protected:
    // Keys are taken before the line edit sees them: Tab would otherwise move the focus and
    // Ctrl+K delete to the end of the line.
    bool event(QEvent* event) override;

  private:
    bool InputKeyPress(const QKeyEvent& event);
};

} // namespace korbi::panes

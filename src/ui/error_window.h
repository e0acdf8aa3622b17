#pragma once
// The message window "Error": one line of text and an OK button that hides it. It does not
// block: the program goes on while it is shown. It comes up by itself (a join forced by the
// server), so it never takes the keyboard: what the user types goes on into the window it was
// typed in, and the box is closed with the mouse.
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace korbi::ui {

class ErrorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ErrorWindow(QWidget* parent = nullptr);

    // Sets the text and shows the window in front, leaving the keyboard focus where it is.
    void ShowMessage(const QString& text);
    QString Text() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QLabel* m_label1;
    QPushButton* m_command1;
    QPointer<QWidget> m_keyboardOwner; // the window that had the keyboard when the box came up
};

} // namespace korbi::ui

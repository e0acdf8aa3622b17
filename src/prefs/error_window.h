#pragma once
// The message window "Error": one line of text and an OK button that hides it. It does not
// block: the program goes on while it is shown.
#include <QWidget>

class QLabel;
class QPushButton;

namespace korbi::prefs {

class ErrorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ErrorWindow(QWidget* parent = nullptr);

    // Sets the text and shows the window in front.
    void ShowMessage(const QString& text);
    QString Text() const;

    QLabel* Label1() const { return m_label1; }
    QPushButton* Command1() const { return m_command1; }

  private:
    QLabel* m_label1;
    QPushButton* m_command1;
};

} // namespace korbi::prefs

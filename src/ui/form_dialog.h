#pragma once
// What every settings dialog has in common: it is not modal; opening it while it is open only
// brings it to the front, and opening it after it was closed shows the settings anew. Every way
// of closing it (OK, Cancel, the close control, Escape) ends in QDialog::finished, which is where
// the windows the toolbar disabled are enabled again.
#include <QDialog>

#include <functional>
#include <utility>
#include <vector>

class QLineEdit;
class QPushButton;

namespace korbi::ui {

class FormDialog : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;

    // Shows the dialog in front; loads the settings into its controls unless it is open already.
    void Open();
    // Fills the controls from the settings.
    virtual void Form_Load() = 0;

  protected:
    // A button that Enter in a text box never presses: Enter belongs to the text boxes.
    QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent);
    // Enter (character 13) in box runs onEnter and goes no further.
    void OnEnter(QLineEdit* box, std::function<void()> onEnter);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<std::pair<QObject*, std::function<void()>>> m_enterActions;
};

} // namespace korbi::ui

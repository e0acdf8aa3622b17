#pragma once
// The picture manager: the bitmaps of the PICTS folder with a preview, and "Select", which
// puts "/PICT <file> " in front of the visible pane's input line. It comes in two forms that
// behave alike: the frame docked in the server window (PictureFrame) and its own window
// (PictureManager); the user moves it from one to the other.
#include "platform/program_folder.h"

#include <QWidget>

#include <functional>
#include <string>

class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QPushButton;

namespace korbi::media {

// The input line of the visible pane (CurVisible), as "Select" needs it; the conversation
// window provides both functions.
struct VisibleInputLine {
    std::function<std::string()> Text;
    // Replaces the text, moves the caret to the end and gives the input line the focus.
    std::function<void(const std::string& text)> SetTextAndFocus;
};

// File1 (the "*.bmp" files of PICTS), Picture1 (the preview) and the "Select" action; both
// forms are built around one. The list follows the folder as files come and go.
class PictureChooser : public QWidget {
    Q_OBJECT
  public:
    PictureChooser(const platform::ProgramFolder& folder, VisibleInputLine input,
                   QWidget* parent = nullptr);

    // Reads the folder again; the selected file stays selected when it is still there.
    void RefreshList();
    // Selects the file named file (exact name first, then without regard to case).
    bool SelectFile(const std::string& file);
    // The selected file name, "" when none.
    std::string SelectedFile() const;
    int ListIndex() const;
    // Selects row index, or the last row when the list has become shorter; none when empty.
    void SetListIndex(int index);
    // Puts "/PICT " + the selected file in front of the input line. False when none is selected.
    bool SelectIntoInputLine();

  private:
    void File1_Click();

    const platform::ProgramFolder& m_folder;
    VisibleInputLine m_input;
    QListWidget* m_file1;
    QLabel* m_picture1;
    QFileSystemWatcher* m_watcher;
};

// Frame1 of the server window: the docked picture manager with "Select" and "Undock".
class PictureFrame : public QWidget {
    Q_OBJECT
  public:
    PictureFrame(const platform::ProgramFolder& folder, VisibleInputLine input,
                 QWidget* parent = nullptr);

    PictureChooser& Chooser() const { return *m_chooser; }

    // flag 0 hides the frame, a positive flag shows it (with the folder read again).
    void DockPictMan(int flag);

  signals:
    void UndockRequested();

  private:
    PictureChooser* m_chooser;
    QPushButton* m_select;
    QPushButton* m_undock;
};

// PictManager: the picture manager in its own window, with "Select", "Dock" and "Close". Its
// list opens on the position it had when it was last closed (LastPictManger), or on the file
// chosen in the frame when it is undocked. Closing it by any means docks it again.
class PictureManager : public QWidget {
    Q_OBJECT
  public:
    // The frame it docks into; "Undock" there hides the frame and shows this window. The frame
    // must outlive this window or be destroyed with the program.
    PictureManager(const platform::ProgramFolder& folder, VisibleInputLine input,
                   PictureFrame& docked, QWidget* parent = nullptr);

    PictureChooser& Chooser() const { return *m_chooser; }

    // Loads (list read, remembered position selected) and shows the window; a window already
    // shown is only raised.
    void ShowManager();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Undock();
    void Dock();
    void Select();

    PictureFrame& m_docked;
    PictureChooser* m_chooser;
    QLabel* m_label;
    QPushButton* m_select;
    QPushButton* m_dock;
    QPushButton* m_close;
    int m_lastPictManger = 1;
};

} // namespace korbi::media

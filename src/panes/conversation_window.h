#pragma once
// The conversation window "Text Window": 16 panes built in advance, one shown at a time. Pane 0
// is the server pane; panes 1 to 15 hold channels and private conversations, found by name and
// kept contiguous (closing one moves the higher ones down). Every line the user sees is
// printed into a pane by PrintCoul. What the user does in a pane (a line entered, files
// dropped, a nick double-clicked) comes out as signals.
#include "core/nick_lists.h"
#include "core/pane_logs.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"
#include "core/settings.h"
#include "panes/line_store.h"
#include "panes/nick_completion.h"
#include "panes/nick_index.h"
#include "panes/paste_lines.h"
#include "panes/picture_cache.h"
#include "panes/text_metrics.h"
#include "panes/view_look.h"
#include "platform/line_file.h"
#include "platform/program_folder.h"

#include <QColor>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMessageBox;
class QPushButton;
class QTimer;

namespace korbi::ui {
class ErrorWindow;
}

namespace korbi::panes {

class InputLine;
class TextView;

// One pane: its controls, its name, its lines and its log.
struct Pane {
    QPushButton* SwitchBut = nullptr;
    QPushButton* CloseWinBut = nullptr;
    TextView* TextViewWin = nullptr;
    InputLine* InputBox = nullptr;
    QListWidget* NickList = nullptr;
    // The items of NickList in the order they came: the nick list roles' positions. A member
    // list shows them by rank, then name.
    QList<QListWidgetItem*> Entries;
    NickIndex Nicks; // where the entries stand in Entries, by nick
    QLabel* TopicBar = nullptr;
    // The highlight lines along the upper and lower edge of the switch button.
    QWidget* Line1 = nullptr;
    QWidget* Line2 = nullptr;
    QColor Line1Colour;
    QColor Line2Colour;
    // "raw" until first used, "none" once vacated, "" for the server pane.
    std::string WinName;
    std::string TopicText;
    LineStore Lines;
    platform::LineFile Log; // "LOGS\" + name + ".LOG" while LogOpen
    bool LogOpen = false;
    RecentSpeakers Speakers; // for nick completion
    // A paste of several lines: the question while it is asked, then the lines still to send.
    QPointer<QMessageBox> PasteQuestion;
    PastePacer Paste;
};

// It is the pane roles' one implementation: the protocol handlers, the interpreter and the
// features print, open, close and log through it without knowing the widgets.
class ConversationWindow : public QWidget,
                           public core::PaneOutput,
                           public core::PaneRegistry,
                           public core::NickLists,
                           public core::PaneLogs {
    Q_OBJECT
  public:
    static constexpr int kPaneCount = MaxWins + 1;

    ConversationWindow(const core::Settings& settings, core::FrameFlags& flags,
                       const platform::ProgramFolder& folder, QWidget* parent = nullptr);
    ~ConversationWindow() override;

    // The picture log: one line per printed line, the line's picture name. Null: not written.
    void SetPictLog(platform::LineFile* pictLog) { m_pictLog = pictLog; }

    // ---- Printing

    // Prints text into a slot as one or more wrapped lines, each with the picture (a program
    // folder name with or without ".BMP"; "" for none) and the colour; writes the pane's log
    // and the picture log, marks an unseen pane, and asks for the blink while the frame is in
    // the background.
    void PrintCoul(int slot, const std::string& pict, irc::Rgb colour,
                   const std::string& text) override;
    void PrintHighlighted(int slot, const std::string& pict, irc::Rgb colour,
                          const std::string& text) override;
    void SetServerTime(std::optional<std::int64_t> time) override { m_serverTime = time; }
    void ClearTextWin(int slot) override;
    int LineCount(int slot) const;
    const LineStore& Lines(int slot) const;
    // The stored lines of a pane as screen text, one per line.
    QString PaneText(int slot) const;
    // Reads the file of a picture again and redraws the panes.
    void ReloadPicture(const std::string& name);

    // ---- Registry

    // The highest slot in use whose name equals name without regard to case; 0 when none.
    int FindChanWin(const std::string& name) const override;
    std::string WinName(int slot) const override;
    // Renames a pane in use, switch button included.
    void SetWinName(int slot, const std::string& name) override;
    // Number of slots in use counting the server pane: the next free slot.
    int NextChan() const override { return m_nextChan; }
    int CurVisible() const override { return m_curVisible; }
    void MakeVisible(int slot) override;
    void TileSwitchButs();
    // Opens a window in slot NextChan: refused (NoMoreChan, result 0) when a channel would
    // pass slot 14 or a private window slot 15. Opens its log when the options say so.
    // Returns the new slot.
    int OpenChanWin(const std::string& name, bool isPrivate) override;
    // Empties a slot and moves the higher slots down, lines and open logs with them.
    // NextChan is left to the caller.
    void CloseChanWin(int slot);
    // CloseChanWin, NextChan - 1, TileSwitchButs and showing the slot below.
    void CloseConversation(int slot) override;
    // Frees every slot but the server pane, closing their logs, and shows the server pane.
    void PartAllChan() override;
    // Refuses a window beyond the limit: asks the server to leave name and says why.
    void NoMoreChan(const std::string& name);
    void SwitchBut_Click(int slot);
    void CloseWinBut_Click(int slot);
    // Places every pane's controls for the window's size.
    void LayoutSlots();

    // ---- Topic bar and nick list

    std::string TopicBar(int slot) const override;
    void SetTopicBar(int slot, const std::string& caption) override;
    std::vector<std::string> NickListItems(int slot) const override;
    void SetNickListItems(int slot, const std::vector<std::string>& items) override;
    // One entry more at the end of a slot's list, and one entry less: the other entries keep
    // their selection, so a member the user picked stays picked while others come and go.
    void AddNickListItem(int slot, const std::string& entry) override;
    void RemoveNickListItem(int slot, int index) override;
    // Position of nick in a slot's list, its rank marks and letter case ignored; -1 when
    // absent. In a member list it takes no longer however long the list is.
    int FindNick(int slot, const std::string& nick) const override;
    // The entry at index, "" outside the list.
    std::string NickListEntry(int slot, int index) const override;
    std::vector<std::string> SelectedNicks(int slot) const override;
    // A member list shows each member's highest rank only, and finds members by every mark.
    void SetRankMarks(const std::string& marks) override;
    void NickSpoke(int slot, const std::string& nick) override;

    // ---- Typing

    // What Tab completes to in a slot: its nick list, or the other nick of a private pane;
    // nullopt in the server pane and while the NickCompletion setting is off.
    std::optional<CompletionSource> CompletionFor(int slot) const;
    // Lines of a paste the user chose to send: they go out one per PastePacer::kInterval as if
    // typed, after those of the slot still waiting.
    void SendPastedLines(int slot, const std::vector<std::string>& lines);
    // Drops the slot's paste still waiting, its question included.
    void CancelPaste(int slot);
    int PasteLinesWaiting(int slot) const;

    // ---- Logs

    bool LogOpen(int slot) const override;
    // Opens "LOGS\" + the pane's name + ".LOG" for appending and writes the opening line.
    void OpenLog(int slot) override;
    // The same with another name for the file (the server pane's log is named after the server).
    void OpenLog(int slot, const std::string& logName);
    // Writes the closing lines and closes the log.
    void CloseLog(int slot) override;

    // ---- Controls (named "Pane" + slot + the control's name)

    QLineEdit* InputBox(int slot) const;
    // Whether widget is the input line of a pane.
    bool IsInputBox(const QObject* widget) const;

  signals:
    // The user entered a line (Enter) in the input line of pane slot.
    void LineEntered(int slot, const std::string& text);
    // Files were dropped on the text view of pane slot: their full paths.
    void FilesDropped(int slot, const std::vector<std::string>& files);
    // The user double-clicked an entry of pane slot's nick list: its text.
    void NickActivated(int slot, const std::string& entry);
    // A channel name was clicked in a pane's text: join it, or show its pane.
    void ChannelActivated(const std::string& name);
    // A right click on a nick list: the user's popups are wanted at globalPos.
    void NickMenuRequested(const QPoint& globalPos);
    // A protocol line to send to the server (the PART of a refused or closed channel).
    void SendRequested(const std::string& line);
    // Text arrived while the frame is in the background: the icon should blink.
    void StartSparkTimer();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    static bool ValidSlot(int slot) { return slot >= 0 && slot < kPaneCount; }
    const Pane& PaneAt(int slot) const;
    Pane& PaneAt(int slot);

    void Form_Load();
    void BuildPane(int slot);
    void WirePaneInput(int slot);
    void PlaceLines(int slot);
    void SetLineColours(int slot, const QColor& line1, const QColor& line2);
    // The lines of a hidden pane's switch button say it has unread text, or a highlight; a
    // highlight stays marked until the pane is shown, whatever arrives after it.
    void MarkUnread(int slot, bool highlight);
    void EmptySlot(int slot);
    void ClearNickList(int slot);
    void MoveSlotDown(int from);
    void HideSlotControls(int slot);
    void HideOtherTopicBars();
    void PrintLine(int slot, const std::string& pict, irc::Rgb colour, const std::string& text,
                   bool highlight);
    bool LogWanted(int slot) const;
    void LogRows(int slot, const LineRecord& record);
    ViewLook ReadLook() const;
    void CloseLogLines(int slot, bool blankLine);
    void RepaintViews();
    void AskPaste(int slot, const std::vector<std::string>& lines);
    void PasteTimer_Timer();
    void SchedulePaste();
    void ForgetTyping(int slot);
    void MoveTypingDown(int from);

    const core::Settings& m_settings;
    core::FrameFlags& m_flags;
    const platform::ProgramFolder& m_folder;
    TextMetrics m_metrics;
    PictureCache m_pictures;
    std::array<Pane, kPaneCount> m_panes;
    int m_nextChan = 1;
    int m_curVisible = 0;
    int m_ancVisible = 0;
    platform::LineFile* m_pictLog = nullptr;
    std::optional<std::int64_t> m_serverTime;
    bool m_logFailureShown = false;
    ui::ErrorWindow* m_errorWindow;
    QTimer* m_pasteTimer;
    QElapsedTimer m_pasteClock;
};

} // namespace korbi::panes

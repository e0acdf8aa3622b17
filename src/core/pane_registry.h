#pragma once
// Role: which pane holds which conversation, and which one is in front. Opening and closing
// follow the window set's own rules, so callers only name what they want.
#include <string>

namespace korbi::core {

class PaneRegistry {
  public:
    static constexpr int MaxWins = 15;

    virtual ~PaneRegistry() = default;

    virtual int FindChanWin(const std::string& name) const = 0;
    virtual std::string WinName(int slot) const = 0;
    virtual int NextChan() const = 0;
    virtual int CurVisible() const = 0;
    virtual void MakeVisible(int slot) = 0;
    // The opening sequence of a new window in slot NextChan, with the limit test first: a
    // channel is refused when NextChan equals MaxWins, a private window at MaxWins + 1 (then
    // NoMoreChan runs). Returns the new slot, or 0 when refused.
    virtual int OpenChanWin(const std::string& name, bool isPrivate) = 0;
    // The closing sequence: CloseChanWin(slot), NextChan - 1, TileSwitchButs, then
    // MakeVisible(slot - 1).
    virtual void CloseConversation(int slot) = 0;
    virtual void PartAllChan() = 0;
    // Renames a pane (a private window follows its nick), switch button caption included.
    virtual void SetWinName(int slot, const std::string& name) = 0;
};

} // namespace korbi::core

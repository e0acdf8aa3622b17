#pragma once
// Role: writing into a pane (text lines and the topic bar). Whoever prints asks for this alone,
// so a printing feature is tested against a recorder of lines. Slot 0 is the server pane.
#include <string>

namespace korbi::core {

class PaneOutput {
  public:
    virtual ~PaneOutput() = default;

    virtual void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                           const std::string& text) = 0;
    virtual void ClearTextWin(int slot) = 0;
    virtual std::string TopicBar(int slot) const = 0;
    virtual void SetTopicBar(int slot, const std::string& caption) = 0;
};

} // namespace korbi::core

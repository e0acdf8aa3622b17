#pragma once
// Role: writing into a pane (text lines and the topic bar). Whoever prints asks for this alone,
// so a printing feature is tested against a recorder of lines. Slot 0 is the server pane.
#include "core/line_styles.h"

#include <cstdint>
#include <optional>
#include <string>

namespace korbi::core {

class PaneOutput {
  public:
    virtual ~PaneOutput() = default;

    virtual void PrintCoul(int slot, const std::string& picture, irc::Rgb colour,
                           const std::string& text) = 0;
    // A line of a kind: its picture and colour come from the one table of looks.
    void Print(int slot, LineStyle style, const std::string& text) {
        const LineLook look = Look(style);
        PrintCoul(slot, std::string(look.picture), look.colour, text);
    }
    // The same with a picture of the line's own (a sender's, or one the user names).
    void Print(int slot, LineStyle style, const std::string& picture, const std::string& text) {
        const LineLook look = Look(style);
        PrintCoul(slot, picture, look.colour, text);
    }
    // A line that names the user or one of the highlight words: drawn on the highlight
    // background and marked apart from unread lines. Where nothing draws it, a plain line.
    virtual void PrintHighlighted(int slot, const std::string& picture, irc::Rgb colour,
                                  const std::string& text) {
        PrintCoul(slot, picture, colour, text);
    }
    // The time the server gave the line being handled (milliseconds since 1970 UTC): lines
    // printed meanwhile carry it instead of their arrival time. nullopt: arrival time.
    virtual void SetServerTime(std::optional<std::int64_t> /*time*/) {}
    virtual void ClearTextWin(int slot) = 0;
    virtual std::string TopicBar(int slot) const = 0;
    virtual void SetTopicBar(int slot, const std::string& caption) = 0;
};

} // namespace korbi::core

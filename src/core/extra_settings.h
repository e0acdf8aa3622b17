#pragma once
// Settings added beyond the positional layout of "Prefs File.INI": one named section after the
// last popup line, of "Name=value" lines. A reader of the positional layout stops before it, so
// older files and older readers stay as they are. A missing line means the default; a line this
// version does not know is kept as it stands and written back.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::core {

inline constexpr std::string_view kExtraSectionHeader = "[Extras]";

// "1": the frame's close button hides it in the tray instead of ending the program.
inline constexpr std::string_view kCloseToTray = "CloseToTray";

class ExtraSettings {
  public:
    // The value of name's line; nullopt when the file has none.
    std::optional<std::string> Value(std::string_view name) const;
    // "1" is on, "0" off; anything else (or no line) is the fallback.
    bool Flag(std::string_view name, bool fallback) const;
    // A whole number in low..high; anything else (or no line) is the fallback.
    int Number(std::string_view name, int fallback, int low, int high) const;

    // Replaces name's line, or adds one at the end. A line break in the value would end the
    // line early, so it becomes a blank.
    void SetValue(std::string_view name, std::string_view value);
    void SetFlag(std::string_view name, bool on) { SetValue(name, on ? "1" : "0"); }
    void SetNumber(std::string_view name, int value) { SetValue(name, std::to_string(value)); }
    void Remove(std::string_view name);

    // Every line of the section in file order, known or not.
    const std::vector<std::string>& Lines() const { return m_lines; }
    void AddLine(std::string line) { m_lines.push_back(std::move(line)); }

    bool operator==(const ExtraSettings&) const = default;

  private:
    std::vector<std::string>::const_iterator Find(std::string_view name) const;

    std::vector<std::string> m_lines;
};

} // namespace korbi::core

#pragma once
// The keys that put formatting codes into a command text box: Ctrl+B bold (2), Ctrl+K colour
// (3), Ctrl+U underline (31), and Tab or Ctrl+I reverse (22).
class QKeyEvent;

namespace korbi::commands {

// The code the key puts into the text, 0 for any other key.
char FormattingCode(const QKeyEvent& key);
bool IsEnter(const QKeyEvent& key);

} // namespace korbi::commands
